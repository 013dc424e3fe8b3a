// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <initializer_list>

class QLabel;
class QWidget;

// Small helpers for the fixed window designs of the splash, about and
// new-user windows. Positions and sizes are in twips.

// A label at its design place, in bold "ＭＳ Ｐゴシック" of `points` when
// `points` is given, else in the window's font.
QLabel* AddDesignLabel(QWidget* parent, const QString& text, int left, int top, int width,
                       int height, double points = 0);

// The version label Label1(2) of the splash and about windows: "Ver1.0.01"
// in 18-point bold blue.
QLabel* AddVersionLabel(QWidget* parent);

// Widens the label to its text when the text is wider than the design left
// room for (a long name, or a font wider than the design's), never past
// `rightLimit` (default: the right edge of its window). Position and height
// stay as designed.
void WidenToText(QLabel& label, int rightLimit = -1);

// Widens the label as WidenToText does; a text still too long for the room
// is set smaller until it fits, down to half the label's size, and only
// past that is it cut short with an ellipsis. For the player's names on the
// splash and in the about window.
void FitToText(QLabel& label, int rightLimit);

// Widens the label as WidenToText does; a text still too long for the room
// keeps its size and is shortened with an ellipsis (whole in the tooltip).
void ElideToRoom(QLabel& label, int rightLimit);

// Widens the window, as little as needed, so that each of `labels` shows its
// text whole with `rightMargin` pixels to spare; the labels grow to their
// text. Nothing moves, and a window the texts fit keeps its size.
void WidenWindowToLabels(QWidget& window, std::initializer_list<QLabel*> labels, int rightMargin);

// Puts the window in the middle of its screen's free area, its title bar
// never above it (ScreenRoom::CentreInFreeArea).
void CentreOnScreen(QWidget& window);
