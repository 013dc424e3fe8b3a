// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/titlegen/TitlePicture.h"

#include "shared/JapaneseFont.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr int PictureWidth = 450;
constexpr int PictureHeight = 300;
constexpr int Cell = 28;  // one grid cell of the little figure, in pixels

void DrawBall(QPainter& painter, QPointF centre, qreal radius, const QColor& colour)
{
    QRadialGradient shine(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    shine.setColorAt(0.0, Qt::white);
    shine.setColorAt(0.25, colour.lighter(130));
    shine.setColorAt(1.0, colour.darker(170));
    painter.setPen(QPen(colour.darker(220), 1));
    painter.setBrush(shine);
    painter.drawEllipse(centre, radius, radius);
}

// A small figure of balls in the lower left, three of them already taken in
// a path, as a player would see it halfway through a stage.
void DrawFigure(QPainter& painter)
{
    struct Ball { int column, row; int take; };
    static constexpr Ball balls[] = {
        {1, 0, 0}, {2, 0, 0}, {0, 1, 0}, {1, 1, 3}, {2, 1, 0}, {3, 1, 0},
        {0, 2, 0}, {1, 2, 2}, {2, 2, 1}, {3, 2, 0}, {1, 3, 0}, {2, 3, 0},
    };
    const QPointF origin(58, 160);
    auto centreOf = [&](int column, int row) {
        return origin + QPointF(column * Cell + Cell / 2.0, row * Cell + Cell / 2.0);
    };

    painter.setPen(QPen(QColor(30, 60, 110, 60), 1));
    for (int i = 0; i <= 4; ++i) {
        painter.drawLine(origin + QPointF(i * Cell, 0), origin + QPointF(i * Cell, 4 * Cell));
        painter.drawLine(origin + QPointF(0, i * Cell), origin + QPointF(4 * Cell, i * Cell));
    }

    // The path of the takes so far: 1 -> 2 -> 3.
    QPainterPath path(centreOf(2, 2));
    path.lineTo(centreOf(1, 2));
    path.lineTo(centreOf(1, 1));
    painter.setPen(QPen(QColor(255, 230, 120), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);

    QFont numberFont = GothicFont(10, true);
    painter.setFont(numberFont);
    for (const Ball& ball : balls) {
        const QPointF centre = centreOf(ball.column, ball.row);
        const bool taken = ball.take > 0;
        DrawBall(painter, centre, Cell * 0.42, taken ? QColor(235, 200, 60) : QColor(60, 140, 230));
        if (taken) {
            painter.setPen(QColor(60, 30, 0));
            painter.drawText(QRectF(centre - QPointF(Cell / 2.0, Cell / 2.0), QSizeF(Cell, Cell)),
                             Qt::AlignCenter, QString::number(ball.take));
        }
    }
}

void DrawTitle(QPainter& painter)
{
    const QString title = QString::fromUtf16(u"ズミラク");
    QFont font = GothicFont(40, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    painter.setFont(font);
    const QRect area(40, 70, 220, 70);
    painter.setPen(QColor(255, 255, 255, 200));
    painter.drawText(area.translated(2, 2), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setPen(QColor(20, 40, 100));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, title);

    painter.setFont(GothicFont(9, true));
    painter.setPen(QColor(40, 80, 140));
    painter.drawText(QRect(44, 138, 220, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("ZUMIRAK  Puzzle"));
}

} // namespace

QImage DrawTitlePicture()
{
    QImage picture(PictureWidth, PictureHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    // Light behind the names and the blue version on the right, deeper
    // towards the figure in the lower left.
    QLinearGradient sky(PictureWidth, 0, 0, PictureHeight);
    sky.setColorAt(0.0, QColor(255, 252, 238));
    sky.setColorAt(0.55, QColor(214, 234, 250));
    sky.setColorAt(1.0, QColor(120, 170, 215));
    painter.fillRect(picture.rect(), sky);

    DrawTitle(painter);
    DrawFigure(painter);
    return picture;
}

