// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/LayoutString.h"

#include <array>

namespace {

constexpr int RecordLength = 10;  // "LLLL,TTTT,"
constexpr int CellTwips = 600;
constexpr int BoardCells = 15;

// Four ASCII digits as a number; anything else (signs, blanks, full-width
// digits) is refused so that a damaged string cannot slip through.
std::optional<int> FourDigits(QStringView field)
{
    int value = 0;
    for (QChar c : field) {
        const char16_t u = c.unicode();
        if (u < u'0' || u > u'9')
            return std::nullopt;
        value = value * 10 + (u - u'0');
    }
    return value;
}

QString Field(QStringView field) { return QLatin1Char('"') + field.toString() + QLatin1Char('"'); }

LayoutReading Rejected(LayoutFault fault, QString why)
{
    LayoutReading reading;
    reading.error = std::move(why);
    reading.fault = fault;
    return reading;
}

} // namespace

LayoutReading ReadLayoutString(QStringView layout)
{
    if (layout.isEmpty())
        return Rejected(LayoutFault::NoBall, QStringLiteral("the layout holds no ball"));
    if (layout.size() % RecordLength != 0)
        return Rejected(LayoutFault::Form, QStringLiteral("length %1 is not a whole number of ten-character records")
                            .arg(layout.size()));

    const qsizetype count = layout.size() / RecordLength;
    LayoutReading reading;
    reading.balls.reserve(static_cast<std::size_t>(count));
    std::array<std::array<bool, BoardCells>, BoardCells> occupied{};

    for (qsizetype k = 0; k < count; ++k) {
        const QStringView record = layout.mid(k * RecordLength, RecordLength);
        const QString where = QStringLiteral("record %1").arg(k);
        if (record[4] != u',' || record[9] != u',')
            return Rejected(LayoutFault::Form, where + QStringLiteral(": a field is not followed by its comma"));

        const std::optional<int> left = FourDigits(record.mid(0, 4));
        const std::optional<int> top = FourDigits(record.mid(5, 4));
        if (!left)
            return Rejected(LayoutFault::Form, where + QStringLiteral(": Left %1 is not four digits").arg(Field(record.mid(0, 4))));
        if (!top)
            return Rejected(LayoutFault::Form, where + QStringLiteral(": Top %1 is not four digits").arg(Field(record.mid(5, 4))));
        if (*left % CellTwips != 0 || *top % CellTwips != 0)
            return Rejected(LayoutFault::Form, where + QStringLiteral(": %1,%2 is not on a 600-twip cell").arg(*left).arg(*top));

        const BallRecord ball{*left, *top};
        if (ball.column() >= BoardCells || ball.row() >= BoardCells)
            return Rejected(LayoutFault::OffBoard, where + QStringLiteral(": column %1, row %2 lies off the 15 x 15 board")
                                        .arg(ball.column())
                                        .arg(ball.row()));
        bool& cell = occupied[static_cast<std::size_t>(ball.row())][static_cast<std::size_t>(ball.column())];
        if (cell)
            return Rejected(LayoutFault::SharedCell, where + QStringLiteral(": column %1, row %2 already holds a ball")
                                        .arg(ball.column())
                                        .arg(ball.row()));
        cell = true;
        reading.balls.push_back(ball);
    }
    return reading;
}

Rules::Figure FigureOfBalls(const std::vector<BallRecord>& balls)
{
    Rules::Figure figure;
    for (const BallRecord& ball : balls)
        figure.Set({ball.row(), ball.column()}, true);
    return figure;
}

std::optional<Rules::Figure> FigureOfLayout(QStringView layout)
{
    const LayoutReading reading = ReadLayoutString(layout);
    if (!reading.ok())
        return std::nullopt;
    return FigureOfBalls(reading.balls);
}

QString LayoutOf(const Rules::Figure& figure)
{
    QString layout;
    for (const Rules::Cell& cell : figure.Cells())
        layout += QStringLiteral("%1,%2,")
                      .arg(cell.column * CellTwips, 4, 10, QLatin1Char('0'))
                      .arg(cell.row * CellTwips, 4, 10, QLatin1Char('0'));
    return layout;
}
