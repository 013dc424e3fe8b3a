// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

// The windows are designed in "ＭＳ Ｐゴシック". Where it is not installed, the
// first installed Japanese Gothic of a short list stands in for it. The
// family is looked up once and every font of the program is made from it by
// name, so no text goes through the font system's slow search for a
// substitute, and one font file serves every window.
inline constexpr char16_t GothicFamily[] = u"ＭＳ Ｐゴシック";

// The installed family that stands for "ＭＳ Ｐゴシック": the family itself,
// else IPAPGothic, Noto Sans CJK JP or IPAGothic, else any family that writes
// Japanese; empty when there is none (the default font then does its best).
QString InstalledGothicFamily();

// For an interface in another language than Japanese: a proportional Latin
// face stands in for the Gothic everywhere, the design fonts included: the
// desktop's own font where it is one and not made for Japanese, else Noto Sans, DejaVu Sans,
// Liberation Sans, Nimbus Sans or FreeSans, whichever is installed first;
// the Gothic follows it for the Japanese letters of names and titles.
void KeepDesktopFont();

// Makes the Gothic the font of every window (menus, status bar, dialogs),
// at the size the desktop asks for.
void UseGothicForEveryWindow();

// The design font: "ＭＳ Ｐゴシック" at the given point size, bold or not.
QFont GothicFont(double pointSize, bool bold);
