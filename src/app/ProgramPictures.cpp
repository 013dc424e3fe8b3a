#include "app/ProgramPictures.h"

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
    return QIcon(ReadCompiledIn(QStringLiteral(":/zumirak/icon.png"), "png"));
}
