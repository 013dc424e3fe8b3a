// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/SharedWallpaper.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>

namespace {

struct FileStamp {
    QString path;
    qint64 size = -1;
    QDateTime modified;

    static FileStamp Of(const QString& path)
    {
        const QFileInfo info(path);
        return {path, info.exists() ? info.size() : -1, info.lastModified()};
    }

    bool operator==(const FileStamp& other) const
    {
        return path == other.path && size == other.size && modified == other.modified;
    }
};

QImage Decode(const QString& path)
{
    QImageReader reader(path);
    const bool gif = reader.format() == "gif";  // known only before the read
    const QImage image = reader.read();
    if (image.isNull())
        return image;
    // A GIF (ours is one) has at most 256 colours: kept with its palette it
    // takes a quarter of the memory, and the painter converts only the part
    // it repaints, mostly one ball's square. Other pictures are kept in the
    // screen's pixel format, so that a repaint is a plain copy. So is a GIF
    // with transparency: Qt reads it with an alpha channel, and a palette
    // made from that would round its colours.
    if (gif && !image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither);
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

} // namespace

QImage SharedWallpaper(const QString& path)
{
    static FileStamp readStamp;
    static QImage picture;
    const FileStamp stamp = FileStamp::Of(path);
    if (!(stamp == readStamp)) {
        picture = stamp.size < 0 ? QImage() : Decode(path);
        readStamp = stamp;
    }
    return picture;
}
