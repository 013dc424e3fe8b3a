#include "play/ShapedButton.h"

#include "play/ShapeFile.h"
#include "shared/JapaneseFont.h"
#include "shared/Twips.h"

#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int DesignSizeTwips = 570;
constexpr double CaptionPointSize = 14.25;
constexpr double CaptionMargin = 2.0;  // pixels between the caption and the outline's extent
constexpr int AlignTop = 0;
constexpr int AlignMiddle = 1;
constexpr int AlignBottom = 2;

QPainterPath ToPainterPath(const ShapeOutline& outline)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);  // figures add up to one outline
    for (const ShapeOperation& op : outline.operations) {
        const auto& v = op.values;
        switch (op.kind) {
        case ShapeOperation::MoveTo: path.moveTo(v[0], v[1]); break;
        case ShapeOperation::LineTo: path.lineTo(v[0], v[1]); break;
        case ShapeOperation::QuadTo: path.quadTo(v[0], v[1], v[2], v[3]); break;
        case ShapeOperation::CubicTo: path.cubicTo(v[0], v[1], v[2], v[3], v[4], v[5]); break;
        case ShapeOperation::Close: path.closeSubpath(); break;
        case ShapeOperation::Ellipse: path.addEllipse(QPointF(v[0], v[1]), v[2], v[3]); break;
        }
    }
    return path;
}

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

} // namespace

ShapedButton::ShapedButton(QWidget* parent) : QAbstractButton(parent)
{
    setFont(GothicFont(CaptionPointSize, true));
    setFocusPolicy(Qt::NoFocus);
    resize(Twips::Size(DesignSizeTwips, DesignSizeTwips));
    SetFieldOutline(ToPainterPath(BuiltInCircle()));
    connect(this, &QAbstractButton::clicked, this, &ShapedButton::Click);
}

void ShapedButton::SetFileName(const QString& path)
{
    fileName_ = path;
    const ShapeReading reading = ReadShapeFile(path);
    // A missing or damaged shape file leaves the ball round.
    SetFieldOutline(ToPainterPath(reading.ok() ? reading.outline : BuiltInCircle()));
}

QString ShapedButton::FileName() const { return fileName_; }

void ShapedButton::SetCaption(const QString& caption) { setText(caption); }

QString ShapedButton::Caption() const { return text(); }

void ShapedButton::SetPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

QPixmap ShapedButton::Picture() const { return picture_; }

void ShapedButton::SetAlignmentV(int alignment)
{
    alignmentV_ = alignment >= AlignTop && alignment <= AlignBottom ? alignment : AlignMiddle;
    update();
}

int ShapedButton::AlignmentV() const { return alignmentV_; }

void ShapedButton::SetKeyboardFocusMark(bool shown)
{
    if (shown == keyboardFocusMark_)
        return;
    keyboardFocusMark_ = shown;
    if (hasFocus())
        update();
}

bool ShapedButton::ShowsFocusMark() const { return keyboardFocusMark_ && hasFocus(); }

QPainterPath ShapedButton::Outline() const
{
    QTransform toWidget;
    toWidget.scale(width() / ShapeFieldSize, height() / ShapeFieldSize);
    return toWidget.map(fieldOutline_);
}

void ShapedButton::CopyPropertiesFrom(const ShapedButton& other)
{
    fileName_ = other.fileName_;
    picture_ = other.picture_;
    alignmentV_ = other.alignmentV_;
    setFont(other.font());
    resize(other.size());
    SetFieldOutline(other.fieldOutline_);
}

bool ShapedButton::hitButton(const QPoint& pos) const
{
    // Judged at the centre of the pixel under the pointer.
    return Outline().contains(QPointF(pos) + QPointF(0.5, 0.5));
}

void ShapedButton::SetFieldOutline(const QPainterPath& fieldOutline)
{
    fieldOutline_ = fieldOutline;
    UpdateMask();
    update();
}

void ShapedButton::UpdateMask()
{
    if (width() <= 0 || height() <= 0) return;
    // The mask lets clicks beside the ball reach the window below. It reaches
    // one pixel past the outline so the smoothed edge is not cut off;
    // hitButton still judges clicks by the outline itself. The outline is
    // drawn into an alpha image and read back as one band of spans per row,
    // which is much quicker than a mask bitmap.
    QImage coverage(size(), QImage::Format_Alpha8);
    coverage.fill(Qt::transparent);
    QPainter painter(&coverage);
    painter.setPen(QPen(Qt::black, 2.0));
    painter.setBrush(Qt::black);
    painter.drawPath(Outline());
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
    setMask(region);
}

void ShapedButton::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    UpdateMask();
}

void ShapedButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPainterPath outline = Outline();

    painter.save();
    painter.setClipPath(outline);
    if (!picture_.isNull()) {
        painter.drawPixmap(PictureRect(QRectF(rect()), outline), picture_, QRectF(picture_.rect()));
    } else {
        QRadialGradient shade(QPointF(width() * 0.35, height() * 0.3), width() * 0.8);
        shade.setColorAt(0.0, QColor(250, 250, 250));
        shade.setColorAt(1.0, QColor(140, 140, 150));
        painter.fillRect(rect(), shade);
    }
    if (isDown()) {
        painter.fillRect(rect(), QColor(0, 0, 0, 60));  // pressed: a little darker
    }
    painter.restore();

    painter.setPen(QPen(QColor(40, 40, 40, 150), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);

    if (ShowsFocusMark())
        PaintFocusMark(painter, outline);
    PaintCaption(painter);
}

void ShapedButton::PaintFocusMark(QPainter& painter, const QPainterPath& outline) const
{
    // Three bands just inside the outline, dark, light and dark from the
    // edge in: one of them stands out on every ball colour, light or dark,
    // and the outer dark one on any wallpaper. Drawn under the caption, so
    // the take number stays whole.
    struct Band {
        double width;  // of the pen; half of it falls inside the outline
        QColor colour;
    };
    static const Band bands[] = {
        {10.0, QColor(10, 10, 20)},
        {6.0, QColor(255, 255, 255)},
        {2.5, QColor(10, 10, 20)},
    };
    painter.save();
    painter.setClipPath(outline);
    painter.setBrush(Qt::NoBrush);
    for (const Band& band : bands) {
        painter.setPen(QPen(band.colour, band.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(outline);
    }
    painter.restore();
}

void ShapedButton::PaintCaption(QPainter& painter) const
{
    const QString caption = Caption();
    if (caption.isEmpty()) return;

    QPainterPath glyphs;
    glyphs.addText(0, 0, font(), caption);
    const QRectF ink = glyphs.boundingRect();
    // Placed within the outline's extent, so "bottom" sits on a triangle's base.
    const QRectF area = Outline().boundingRect().intersected(QRectF(rect()))
                            .adjusted(CaptionMargin, CaptionMargin, -CaptionMargin, -CaptionMargin);
    double dy = area.center().y() - ink.center().y();
    if (alignmentV_ == AlignTop) dy = area.top() - ink.top();
    if (alignmentV_ == AlignBottom) dy = area.bottom() - ink.bottom();
    glyphs.translate(area.center().x() - ink.center().x(), dy);

    // White figures with a dark rim read well on every ball colour.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 20, 30, 220), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(glyphs);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(glyphs);
}
