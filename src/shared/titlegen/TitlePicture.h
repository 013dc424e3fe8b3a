// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// The title picture of the splash and about windows, 450 x 300 pixels: the
// program's name over a sky and a little figure of balls halfway through a
// stage. Drawn once when the program is built (it needs the Japanese font).
QImage DrawTitlePicture();
