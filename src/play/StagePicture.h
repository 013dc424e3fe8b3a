// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QStringView>

inline constexpr int StagePictureSize = 200;  // logical pixels, square

// Pixels per cell for a figure `cells` wide (its larger side): roomy for small
// figures, 18 for the usual ones, and never so large that the figure spills
// out of the picture.
int StagePicturePitch(int cells);

// The silhouette of a layout: one black disc per ball on white, the discs
// touching at a constant pitch, the figure centred. A layout that cannot be
// read gives a blank picture.
QPixmap DrawStagePicture(QStringView layout, qreal devicePixelRatio);
