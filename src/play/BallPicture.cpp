// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/BallPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace {

// A plain colouring: the lit side, the body and the shadowed rim.
struct Shades {
    QColor light;
    QColor body;
    QColor rim;
};

Shades ShadesOf(BallColouring colouring)
{
    switch (colouring) {
    case BallColouring::Golden: return {{255, 236, 160}, {214, 158, 28}, {105, 66, 5}};
    case BallColouring::Yellow: return {{255, 255, 200}, {250, 232, 30}, {150, 130, 0}};
    case BallColouring::Green: return {{200, 255, 190}, {50, 190, 60}, {10, 90, 20}};
    case BallColouring::Red: return {{255, 190, 180}, {220, 30, 30}, {100, 0, 0}};
    case BallColouring::Cyan: return {{210, 255, 255}, {0, 200, 225}, {0, 85, 110}};
    case BallColouring::Grey: return {{245, 245, 245}, {150, 150, 150}, {60, 60, 60}};
    case BallColouring::DarkGreen: return {{120, 190, 130}, {10, 95, 40}, {0, 35, 10}};
    case BallColouring::RainbowStriped: break;
    }
    return {{255, 255, 255}, {200, 200, 200}, {90, 90, 90}};
}

constexpr QPointF Centre{BallPictureSize / 2.0, BallPictureSize / 2.0};
constexpr qreal Radius = BallPictureSize / 2.0 - 1.0;
// The light comes from the upper left.
constexpr QPointF LightSpot{Centre.x() - Radius * 0.35, Centre.y() - Radius * 0.4};

void PaintPlainBody(QPainter& painter, const Shades& shades)
{
    QRadialGradient gradient(Centre, Radius, LightSpot);
    gradient.setColorAt(0.0, shades.light);
    gradient.setColorAt(0.45, shades.body);
    gradient.setColorAt(0.9, shades.rim);
    gradient.setColorAt(1.0, shades.rim.darker(130));
    painter.setBrush(gradient);
    painter.drawEllipse(Centre, Radius, Radius);
}

// Slanted bands of the rainbow, then the same light and shadow as the plain
// balls laid over them so it still reads as a sphere.
void PaintRainbowBody(QPainter& painter)
{
    static const std::array<QColor, 6> bands = {
        QColor(230, 30, 40), QColor(250, 140, 20), QColor(245, 225, 30),
        QColor(40, 180, 60), QColor(30, 110, 230), QColor(140, 50, 200),
    };
    QPainterPath ball;
    ball.addEllipse(Centre, Radius, Radius);
    painter.save();
    painter.setClipPath(ball);
    painter.translate(Centre);
    painter.rotate(-30);
    const qreal bandWidth = 2 * Radius / static_cast<qreal>(bands.size());
    for (std::size_t i = 0; i < bands.size(); ++i) {
        painter.setBrush(bands[i]);
        const qreal top = -Radius + bandWidth * static_cast<qreal>(i);
        painter.drawRect(QRectF(-Radius * 1.5, top, Radius * 3, bandWidth + 0.5));
    }
    painter.restore();

    QRadialGradient shading(Centre, Radius, LightSpot);
    shading.setColorAt(0.0, QColor(255, 255, 255, 170));
    shading.setColorAt(0.4, QColor(255, 255, 255, 0));
    shading.setColorAt(0.8, QColor(0, 0, 0, 40));
    shading.setColorAt(1.0, QColor(0, 0, 0, 150));
    painter.setBrush(shading);
    painter.drawEllipse(Centre, Radius, Radius);
}

// The small bright reflection every ball carries.
void PaintGlint(QPainter& painter)
{
    const qreal glint = Radius * 0.28;
    QRadialGradient gradient(LightSpot, glint);
    gradient.setColorAt(0.0, QColor(255, 255, 255, 230));
    gradient.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(gradient);
    painter.drawEllipse(LightSpot, glint, glint);
}

} // namespace

QPixmap DrawBallPicture(BallColouring colouring, qreal devicePixelRatio)
{
    const int devicePixels = static_cast<int>(std::ceil(BallPictureSize * devicePixelRatio));
    QPixmap picture(devicePixels, devicePixels);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::white);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (colouring == BallColouring::RainbowStriped)
        PaintRainbowBody(painter);
    else
        PaintPlainBody(painter, ShadesOf(colouring));
    PaintGlint(painter);
    return picture;
}
