// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

// The eight ball colourings, in catalogue order.
enum class BallColouring {
    Golden,
    Yellow,
    Green,
    Red,
    Cyan,
    Grey,
    RainbowStriped,
    DarkGreen,
};

inline constexpr int BallPictureSize = 40;  // logical pixels, one board cell

// A shaded sphere on white, BallPictureSize square in logical pixels, drawn
// with `devicePixelRatio` device pixels to each so it stays crisp on dense
// screens.
QPixmap DrawBallPicture(BallColouring colouring, qreal devicePixelRatio);
