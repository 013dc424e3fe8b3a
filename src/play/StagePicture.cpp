// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/StagePicture.h"

#include "stages/LayoutString.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int UsualPitch = 18;
constexpr int LargestPitch = 26;
// Small figures are enlarged until they span about this many pixels.
constexpr int PreferredSpan = 140;

} // namespace

int StagePicturePitch(int columns, int rows)
{
    if (columns <= 0 || rows <= 0)
        return UsualPitch;
    const int roomy = std::clamp(PreferredSpan / std::max(columns, rows), UsualPitch, LargestPitch);
    return std::min({roomy, (StagePictureSize - 2 * StagePictureSide) / columns,
                     (StagePictureSize - 2 * StagePictureBand) / rows});
}

int StagePicturePitch(int cells) { return StagePicturePitch(cells, cells); }

QPixmap DrawStagePicture(QStringView layout, qreal devicePixelRatio)
{
    const int devicePixels = static_cast<int>(std::ceil(StagePictureSize * devicePixelRatio));
    QPixmap picture(devicePixels, devicePixels);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::white);

    const LayoutReading reading = ReadLayoutString(layout);
    if (!reading.ok())
        return picture;

    const auto [minColumn, maxColumn] = std::minmax_element(
        reading.balls.begin(), reading.balls.end(),
        [](const BallRecord& a, const BallRecord& b) { return a.column() < b.column(); });
    const auto [minRow, maxRow] = std::minmax_element(
        reading.balls.begin(), reading.balls.end(),
        [](const BallRecord& a, const BallRecord& b) { return a.row() < b.row(); });
    const int columns = maxColumn->column() - minColumn->column() + 1;
    const int rows = maxRow->row() - minRow->row() + 1;
    const int pitch = StagePicturePitch(columns, rows);

    const qreal left = (StagePictureSize - columns * pitch) / 2.0;
    const qreal top = (StagePictureSize - rows * pitch) / 2.0;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const BallRecord& ball : reading.balls) {
        const QRectF cell(left + (ball.column() - minColumn->column()) * pitch,
                          top + (ball.row() - minRow->row()) * pitch, pitch, pitch);
        painter.drawEllipse(cell);
    }
    return picture;
}
