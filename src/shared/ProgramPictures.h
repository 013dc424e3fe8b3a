#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own pictures, drawn by the program itself so that no file
// beside it can go missing.

// The title picture of the splash and about windows, 450 x 300 pixels.
QPixmap TitlePicture();

// The program icon of every window: the picture of the desktop entry.
QIcon ProgramIcon();
