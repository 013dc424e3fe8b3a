// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/ShapedButton.h"

#include "play/ShapeFile.h"
#include "shared/JapaneseFont.h"
#include "shared/Twips.h"

#include <QPainter>

#include <algorithm>

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

// The built-in circle at the design size, which every new button starts with.
std::shared_ptr<const BallOutline> DesignCircle()
{
    static const std::shared_ptr<const BallOutline> circle = BallOutline::Make(
        ToPainterPath(BuiltInCircle()), Twips::Size(DesignSizeTwips, DesignSizeTwips));
    return circle;
}

} // namespace

ShapedButton::ShapedButton(QWidget* parent) : QAbstractButton(parent), outline_(DesignCircle())
{
    setFont(GothicFont(CaptionPointSize, true));
    setFocusPolicy(Qt::NoFocus);
    resize(outline_->size);
    connect(this, &QAbstractButton::clicked, this, &ShapedButton::Click);
    refusalMark_.setSingleShot(true);
    connect(&refusalMark_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void ShapedButton::SetFileName(const QString& path)
{
    fileName_ = path;
    const ShapeReading reading = ReadShapeFile(path);
    // A missing or damaged shape file leaves the ball round.
    SetFieldOutline(ToPainterPath(reading.ok() ? reading.outline : BuiltInCircle()));
}

QString ShapedButton::FileName() const { return fileName_; }

// Kept apart from the button's text, which would tell assistive technology
// of a name change of its own: whoever names the ball says it once.
void ShapedButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

QString ShapedButton::Caption() const { return caption_; }

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

QPainterPath ShapedButton::Outline() const { return outline_->path; }

QRegion ShapedButton::VisibleRegion() const { return outline_->visible; }

void ShapedButton::SetSide(int pixels)
{
    resize(pixels, pixels);
    if (outline_->size != size())
        SetFieldOutline(outline_->field);
}

double ShapedButton::DrawnScale() const
{
    return std::min(1.0, double(width()) / Twips::ToPixels(DesignSizeTwips));
}

void ShapedButton::CopyPropertiesFrom(const ShapedButton& other)
{
    fileName_ = other.fileName_;
    picture_ = other.picture_;
    alignmentV_ = other.alignmentV_;
    setFont(other.font());
    // Size first: the shared outline then already fits and is not built again.
    resize(other.size());
    outline_ = other.outline_;
    update();
}

bool ShapedButton::hitButton(const QPoint& pos) const
{
    // Judged at the centre of the pixel under the pointer.
    return outline_->path.contains(QPointF(pos) + QPointF(0.5, 0.5));
}

void ShapedButton::SetFieldOutline(const QPainterPath& fieldOutline)
{
    outline_ = BallOutline::Make(fieldOutline, size());
    update();
}

void ShapedButton::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    if (outline_->size != size())
        SetFieldOutline(outline_->field);
}

void ShapedButton::paintEvent(QPaintEvent*)
{
    // No widget mask: a masked widget is repainted and sent to the screen
    // span by span. The ball's face is drawn once per picture and shape and
    // copied from then on; it is transparent beyond the visible region, and
    // the window behind shows there.
    QPainter painter(this);
    painter.drawPixmap(0, 0, outline_->Face(picture_, isDown(), devicePixelRatioF()));
    const bool focusMark = ShowsFocusMark();
    if (caption_.isEmpty() && !focusMark && !ShowsRefusalMark())
        return;
    painter.setClipRegion(outline_->visible);
    painter.setRenderHint(QPainter::Antialiasing);
    if (focusMark)
        PaintFocusMark(painter, Outline());
    PaintCaption(painter);
    if (ShowsRefusalMark())
        PaintRefusalMark(painter);
}

void ShapedButton::ShowRefusalMark(int milliseconds)
{
    refusalMark_.start(milliseconds);
    update();
}

void ShapedButton::PaintRefusalMark(QPainter& painter) const
{
    // A dark cross with a light rim, over the middle half of the outline:
    // it stands out on every ball and every wallpaper.
    const QRectF extent = outline_->path.boundingRect().intersected(QRectF(rect()));
    const QRectF cross = extent.adjusted(extent.width() / 4, extent.height() / 4, -extent.width() / 4,
                                         -extent.height() / 4);
    QPainterPath strokes;
    strokes.moveTo(cross.topLeft());
    strokes.lineTo(cross.bottomRight());
    strokes.moveTo(cross.topRight());
    strokes.lineTo(cross.bottomLeft());
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const double scale = DrawnScale();
    painter.setPen(QPen(Qt::white, 9 * scale, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(strokes);
    painter.setPen(QPen(QColor(10, 10, 20), 5 * scale, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(strokes);
    painter.restore();
}

void ShapedButton::PaintFocusMark(QPainter& painter, const QPainterPath& outline) const
{
    // Four bands just inside the outline, dark, light, dark and light from
    // the edge in: the outer dark one stands out on any wallpaper, and as
    // much light shows on the darkest ball as dark on the lightest, so the
    // mark is never a thin ring. Drawn under the caption, so the take
    // number stays whole.
    struct Band {
        double width;  // of the pen; half of it falls inside the outline
        QColor colour;
    };
    static const Band bands[] = {
        {12.5, QColor(255, 255, 255)},
        {9.5, QColor(10, 10, 20)},
        {6.5, QColor(255, 255, 255)},
        {2.5, QColor(10, 10, 20)},
    };
    painter.save();
    painter.setClipPath(outline);
    painter.setBrush(Qt::NoBrush);
    const double scale = DrawnScale();
    for (const Band& band : bands) {
        painter.setPen(QPen(band.colour, band.width * scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(outline);
    }
    painter.restore();
}

void ShapedButton::PaintCaption(QPainter& painter) const
{
    const QString caption = Caption();
    if (caption.isEmpty()) return;

    QFont captionFont = font();
    if (const double scale = DrawnScale(); scale < 1)
        captionFont.setPointSizeF(captionFont.pointSizeF() * scale);
    QPainterPath glyphs;
    glyphs.addText(0, 0, captionFont, caption);
    const QRectF ink = glyphs.boundingRect();
    // Placed within the outline's extent, so "bottom" sits on a triangle's base.
    const QRectF area = outline_->path.boundingRect().intersected(QRectF(rect()))
                            .adjusted(CaptionMargin, CaptionMargin, -CaptionMargin, -CaptionMargin);
    double dy = area.center().y() - ink.center().y();
    if (alignmentV_ == AlignTop) dy = area.top() - ink.top();
    if (alignmentV_ == AlignBottom) dy = area.bottom() - ink.bottom();
    glyphs.translate(area.center().x() - ink.center().x(), dy);

    // White figures with a dark rim read well on every ball colour.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 20, 30, 220), 3.5 * DrawnScale(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(glyphs);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(glyphs);
}
