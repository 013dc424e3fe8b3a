#pragma once

#include <QFont>

// The windows ask for "ＭＳ Ｐゴシック" by name; on systems without it the
// name is mapped to an installed Japanese Gothic (IPAPGothic, else Noto Sans CJK JP).
inline constexpr char16_t GothicFamily[] = u"ＭＳ Ｐゴシック";

void InstallJapaneseFontSubstitutions();

// The design font: "ＭＳ Ｐゴシック" at the given point size, bold or not.
QFont GothicFont(double pointSize, bool bold);
