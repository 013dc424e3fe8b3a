#pragma once

#include <QAbstractButton>
#include <QPainterPath>
#include <QPixmap>
#include <QRegion>

#include <memory>
#include <utility>
#include <vector>

// A ball's outline at one button size, with everything painting and clicks
// need of it worked out once. Balls of the same shape and size share one.
struct BallOutline {
    QPainterPath field;   // in the 40 x 40 field of the shape files
    QSize size;           // of the button
    QPainterPath path;    // the outline in button coordinates
    QRegion visible;      // the outline with a one-pixel rim: all the ball ever paints
    QRectF pictureRect;   // where the ball picture goes to cover the outline

    static std::shared_ptr<const BallOutline> Make(const QPainterPath& field, QSize size);

    // The ball without its caption: the picture inside the outline, its rim,
    // and darker while pressed; transparent beyond the visible region. Drawn
    // on first use and kept.
    QPixmap Face(const QPixmap& picture, bool down, qreal devicePixelRatio) const;

private:
    QPixmap DrawFace(const QPixmap& picture, bool down, qreal devicePixelRatio) const;

    struct FaceKey {
        qint64 picture;
        bool down;
        qreal devicePixelRatio;
        bool operator==(const FaceKey&) const = default;
    };
    static constexpr std::size_t MaxFaces = 32;
    mutable std::vector<std::pair<FaceKey, QPixmap>> faces_;
};

// A push button with the outline of a ball: it paints its picture inside the
// outline and its caption (the take number) over it; beside the outline the
// window behind shows, and clicks there go to it. The outline comes from a
// shape file (`FileName`); without one, or when the file is missing or
// malformed, it is a circle.
class ShapedButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ShapedButton(QWidget* parent = nullptr);

    void SetFileName(const QString& path);  // loads the outline from a shape file
    QString FileName() const;
    void SetCaption(const QString& caption);
    QString Caption() const;
    void SetPicture(const QPixmap& picture);
    QPixmap Picture() const;
    void SetAlignmentV(int alignment);  // vertical place of the caption
    int AlignmentV() const;

    // The outline in widget coordinates.
    QPainterPath Outline() const;
    // Where the button paints: the outline and its smoothed rim.
    QRegion VisibleRegion() const;
    // The outline shared with the balls that copied this one.
    const BallOutline* SharedOutline() const { return outline_.get(); }

    // Takes over outline, caption font, size, picture and alignment of `other`.
    void CopyPropertiesFrom(const ShapedButton& other);

signals:
    void Click();

protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetFieldOutline(const QPainterPath& fieldOutline);
    void PaintCaption(QPainter& painter) const;

    QString fileName_;
    std::shared_ptr<const BallOutline> outline_;
    QPixmap picture_;
    int alignmentV_ = 1;
};
