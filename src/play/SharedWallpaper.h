// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// The play window's background picture, decoded once and shared by every
// opening of the play window. A picture is read again only when its path,
// or the file's size or modification time, has changed since it was read.
// A missing or unreadable file gives a null picture (the plain window).
QImage SharedWallpaper(const QString& path);
