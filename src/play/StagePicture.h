// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QStringView>

inline constexpr int StagePictureSize = 200;  // logical pixels, square

// The figure keeps clear of a band this high at the picture's head and foot
// (the selection window writes the stage's number and title in the foot, and
// marks a cleared stage in the head) and of a thin margin at its sides.
inline constexpr int StagePictureBand = 17;
inline constexpr int StagePictureSide = 2;

// Pixels per cell for a figure of `columns` by `rows` cells: roomy for small
// figures, 18 for the usual ones, and never so large that the figure runs
// into the bands or the sides.
int StagePicturePitch(int columns, int rows);
// The same for a square figure `cells` on each side.
int StagePicturePitch(int cells);

// The silhouette of a layout: one black disc per ball on white, the discs
// touching at a constant pitch, the figure centred between the bands. A
// layout that cannot be read gives a blank picture.
QPixmap DrawStagePicture(QStringView layout, qreal devicePixelRatio);
