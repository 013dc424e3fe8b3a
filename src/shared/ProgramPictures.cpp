// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/ProgramPictures.h"

#include <QImageReader>

namespace {

// Reads a picture compiled into the program with Qt's own reader for its
// format. Left to guess, the reader would first load every image plugin
// installed (GIF, JPEG, ...) to let each have a look.
QPixmap ReadCompiledIn(const QString& path, const char* format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

QPixmap TitlePicture()
{
    return ReadCompiledIn(QStringLiteral(":/zumirak/title.ppm"), "ppm");
}

QIcon ProgramIcon()
{
    // Each size is drawn for its own pixel grid, so none is scaled from
    // another. Read once: every window asks for it.
    static const QIcon icon = [] {
        QIcon sizes;
        for (const int size : {16, 24, 32, 48, 64, 128, 256})
            sizes.addPixmap(ReadCompiledIn(QStringLiteral(":/zumirak/icon/%1.png").arg(size), "png"));
        return sizes;
    }();
    return icon;
}
