// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainterPath>
#include <QPixmap>
#include <QRectF>
#include <QRegion>
#include <QSize>

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
