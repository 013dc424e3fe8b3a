// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QSize>

// The play window's outer size for a figure whose farthest balls lie at
// `maxLeft` and `maxTop` twips. The figure's design adds 750 by 1000 twips,
// made for a frame with 4-pixel borders and a 19-pixel caption, leaving a
// small margin right of and below the last ball. Where `frame` (our frame's
// borders and caption, in pixels) is thicker, the window grows by the
// difference so the client area is never smaller than that design gave.
QSize PlayWindowOuterSize(int maxLeft, int maxTop, const QMargins& frame);

// A board cell as designed: 600 twips, 40 pixels.
inline constexpr int DesignCellPixels = 40;
// Below this a ball's take number no longer reads.
inline constexpr int SmallestCellPixels = 16;

// The play window laid out for a screen: the side of a board cell, and the
// window's outer size with cells of that side.
struct PlayWindowFit {
    int cellPixels = DesignCellPixels;
    QSize outer;
};

// The play window as designed (PlayWindowOuterSize) where it fits in `room`
// (its largest outer size; an invalid size bounds nothing), else with the
// largest whole cell that fits, every part of the client area shrunk with
// it, never below SmallestCellPixels.
PlayWindowFit FitPlayWindow(int maxLeft, int maxTop, const QMargins& frame, QSize room);

// The side of a ball in a cell of `cellPixels`: 570 twips of 600.
int BallPixels(int cellPixels);
