// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/ClearedMark.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <cmath>

namespace {

void DrawMark(QPainter& painter, const QRectF& box)
{
    painter.setRenderHint(QPainter::Antialiasing);

    // A white ring first, so the mark stands apart from a black ball behind it.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(box);

    // The gold ball, lit from the top left, with a darker rim.
    const QRectF ball = box.adjusted(1.5, 1.5, -1.5, -1.5);
    QRadialGradient gold(ball.left() + ball.width() * 0.35, ball.top() + ball.height() * 0.3, ball.width() * 0.75);
    gold.setColorAt(0.0, QColor(0xff, 0xf4, 0xb0));
    gold.setColorAt(0.45, QColor(0xf0, 0xc0, 0x20));
    gold.setColorAt(1.0, QColor(0xb0, 0x78, 0x00));
    painter.setBrush(gold);
    painter.setPen(QPen(QColor(0x8a, 0x5a, 0x00), 1.0));
    painter.drawEllipse(ball);

    // The tick, white over a dark shadow so it reads on every part of the gold.
    QPainterPath tick;
    tick.moveTo(ball.left() + ball.width() * 0.24, ball.top() + ball.height() * 0.58);
    tick.lineTo(ball.left() + ball.width() * 0.41, ball.top() + ball.height() * 0.76);
    tick.lineTo(ball.left() + ball.width() * 0.76, ball.top() + ball.height() * 0.36);
    painter.setBrush(Qt::NoBrush);
    // The strokes keep their weight to the mark's size.
    const qreal weight = box.width() / 22.0;
    painter.setPen(QPen(QColor(0x6a, 0x40, 0x00), 3.6 * weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    painter.setPen(QPen(Qt::white, 2.2 * weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
}

// The mark is drawn once per pixel ratio and then only copied: leafing
// through cleared stages repaints it at every step.
QPixmap MarkPicture(qreal devicePixelRatio)
{
    static QPixmap cached;
    if (cached.isNull() || cached.devicePixelRatio() != devicePixelRatio) {
        const int side = static_cast<int>(std::ceil(ClearedMark::Diameter * devicePixelRatio));
        QPixmap picture(side, side);
        picture.setDevicePixelRatio(devicePixelRatio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        DrawMark(painter, QRectF(0, 0, ClearedMark::Diameter, ClearedMark::Diameter));
        painter.end();
        cached = picture;
    }
    return cached;
}

} // namespace

ClearedMark::ClearedMark(QWidget* picture) : QWidget(picture)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAccessibleName(tr("クリア済み"));
    setGeometry(picture->width() - Inset - Diameter, Inset, Diameter, Diameter);
    hide();
}

void ClearedMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, MarkPicture(devicePixelRatioF()));
}
