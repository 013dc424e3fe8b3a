// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own pictures, compiled into the program so that no file
// beside it can go missing.

// The title picture of the splash and about windows, 450 x 300 pixels. It is
// drawn when the program is built (titlegen/) and only read here: drawing
// it at start-up would cost time and start the painter's helper threads.
QPixmap TitlePicture();

// The program icon of every window: the picture of the desktop entry.
QIcon ProgramIcon();
