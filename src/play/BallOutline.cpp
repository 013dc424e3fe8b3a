// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/BallOutline.h"

#include "play/ShapeFile.h"

#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The ball pictures are spheres filling their square. Drawn over the whole
// button they leave the corners of a triangle white, so the picture grows
// about the button's centre until its circle covers every point of the outline.
QRectF PictureRect(const QRectF& button, const QPainterPath& outline)
{
    const QPointF centre = button.center();
    double radius = std::min(button.width(), button.height()) / 2;
    for (const QPolygonF& polygon : outline.toFillPolygons()) {
        for (const QPointF& point : polygon) {
            radius = std::max(radius, std::hypot(point.x() - centre.x(), point.y() - centre.y()));
        }
    }
    // A little more than just touching, past the sphere's soft rim.
    const double buttonHalf = std::max(button.width(), button.height()) / 2;
    const double half = radius > buttonHalf ? radius * 1.06 : buttonHalf;
    return {centre.x() - half, centre.y() - half, 2 * half, 2 * half};
}

// The outline with a one-pixel rim, so the smoothed edge is not cut off, as
// a band of spans per row: drawn into an alpha image and read back, which is
// much quicker than a bitmap region.
QRegion RegionWithRim(const QPainterPath& path, QSize size)
{
    QImage coverage(size, QImage::Format_Alpha8);
    coverage.fill(Qt::transparent);
    QPainter painter(&coverage);
    painter.setPen(QPen(Qt::black, 2.0));
    painter.setBrush(Qt::black);
    painter.drawPath(path);
    painter.end();

    std::vector<QRect> spans;
    for (int y = 0; y < coverage.height(); ++y) {
        const uchar* row = coverage.constScanLine(y);
        for (int x = 0; x < coverage.width();) {
            if (row[x] == 0) { ++x; continue; }
            const int start = x;
            while (x < coverage.width() && row[x] != 0) ++x;
            spans.emplace_back(start, y, x - start, 1);
        }
    }
    QRegion region;
    region.setRects(spans.data(), static_cast<int>(spans.size()));
    return region;
}

} // namespace

std::shared_ptr<const BallOutline> BallOutline::Make(const QPainterPath& field, QSize size)
{
    auto outline = std::make_shared<BallOutline>();
    outline->field = field;
    outline->size = size;
    QTransform toWidget;
    toWidget.scale(size.width() / ShapeFieldSize, size.height() / ShapeFieldSize);
    outline->path = toWidget.map(field);
    if (!size.isEmpty())
        outline->visible = RegionWithRim(outline->path, size);
    outline->pictureRect = PictureRect(QRectF(QPointF(0, 0), QSizeF(size)), outline->path);
    return outline;
}

QPixmap BallOutline::Face(const QPixmap& picture, bool down, qreal devicePixelRatio) const
{
    const FaceKey key{picture.cacheKey(), down, devicePixelRatio};
    for (const auto& [drawnKey, face] : faces_) {
        if (drawnKey == key)
            return face;
    }
    // Balls change pictures only between stages: a few faces a shape.
    if (faces_.size() >= MaxFaces)
        faces_.clear();
    faces_.emplace_back(key, DrawFace(picture, down, devicePixelRatio));
    return faces_.back().second;
}

QPixmap BallOutline::DrawFace(const QPixmap& picture, bool down, qreal devicePixelRatio) const
{
    QPixmap face(size * devicePixelRatio);
    face.setDevicePixelRatio(devicePixelRatio);
    face.fill(Qt::transparent);
    QPainter painter(&face);
    painter.setClipRegion(visible);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect all(QPoint(0, 0), size);

    painter.save();
    painter.setClipPath(path, Qt::IntersectClip);
    if (!picture.isNull()) {
        painter.drawPixmap(pictureRect, picture, QRectF(picture.rect()));
    } else {
        QRadialGradient shade(QPointF(size.width() * 0.35, size.height() * 0.3), size.width() * 0.8);
        shade.setColorAt(0.0, QColor(250, 250, 250));
        shade.setColorAt(1.0, QColor(140, 140, 150));
        painter.fillRect(all, shade);
    }
    if (down)
        painter.fillRect(all, QColor(0, 0, 0, 60));  // pressed: a little darker
    painter.restore();

    painter.setPen(QPen(QColor(40, 40, 40, 150), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    return face;
}
