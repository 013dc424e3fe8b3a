// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/LayoutString.h"

#include <QCoreApplication>

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

LayoutReading Rejected(LayoutFault fault, QString why, QString reason)
{
    LayoutReading reading;
    reading.error = std::move(why);
    reading.reason = std::move(reason);
    reading.fault = fault;
    return reading;
}


// A record that would be whole with one more comma at the end.
bool LacksOnlyItsLastComma(QStringView layout)
{
    return (layout.size() + 1) % RecordLength == 0 && layout.back() != u',';
}

} // namespace

LayoutReading ReadLayoutString(QStringView layout)
{
    if (layout.isEmpty())
        return Rejected(LayoutFault::NoBall, QStringLiteral("the layout holds no ball"), QCoreApplication::translate("LayoutString", "ボールがありません"));
    if (LacksOnlyItsLastComma(layout))
        return Rejected(LayoutFault::Form, QStringLiteral("the last ball's record lacks its closing comma"),
                        QCoreApplication::translate("LayoutString", "最後のボールの記録の終わりにコンマがありません"));
    if (layout.size() % RecordLength != 0)
        return Rejected(LayoutFault::Form,
                        QStringLiteral("its %1 characters are not whole ball records of ten characters each")
                            .arg(layout.size()),
                        QCoreApplication::translate("LayoutString", "%1文字で、10文字ずつのボールの記録に分かれません").arg(layout.size()));

    const qsizetype count = layout.size() / RecordLength;
    LayoutReading reading;
    reading.balls.reserve(static_cast<std::size_t>(count));
    std::array<std::array<bool, BoardCells>, BoardCells> occupied{};

    for (qsizetype k = 0; k < count; ++k) {
        const QStringView record = layout.mid(k * RecordLength, RecordLength);
        const QString ball = QStringLiteral("ball %1").arg(k + 1);
        const QString ballForPlayer = QCoreApplication::translate("LayoutString", "%1個目のボール").arg(k + 1);
        if (record[4] != u',' || record[9] != u',')
            return Rejected(LayoutFault::Form, ball + QStringLiteral(": a number is not followed by its comma"),
                            ballForPlayer + QCoreApplication::translate("LayoutString", "：数のあとにコンマがありません"));

        const std::optional<int> left = FourDigits(record.mid(0, 4));
        const std::optional<int> top = FourDigits(record.mid(5, 4));
        for (const auto& [value, field] : {std::pair{left, record.mid(0, 4)}, {top, record.mid(5, 4)}}) {
            if (!value)
                return Rejected(LayoutFault::Form, ball + QStringLiteral(": %1 is not four digits").arg(Field(field)),
                                ballForPlayer + QCoreApplication::translate("LayoutString", "：%1 が4桁の数ではありません").arg(Field(field)));
        }
        if (*left % CellTwips != 0 || *top % CellTwips != 0)
            return Rejected(LayoutFault::Form,
                            ball + QStringLiteral(": %1 is not a multiple of 600, the size of a cell")
                                       .arg(record.left(9).toString()),
                            ballForPlayer + QCoreApplication::translate("LayoutString", "：%1 が1マスの大きさ600の倍数ではありません").arg(record.left(9).toString()));

        const BallRecord placed{*left, *top};
        const QString cell = QStringLiteral("%1,%2").arg(placed.row()).arg(placed.column());
        if (placed.column() >= BoardCells || placed.row() >= BoardCells)
            return Rejected(LayoutFault::OffBoard,
                            ball + QStringLiteral(" at row,column %1; the board is 0,0 to 14,14").arg(cell),
                            ballForPlayer + QCoreApplication::translate("LayoutString", "（行,列 %1）。盤は 0,0～14,14 です").arg(cell));
        bool& taken = occupied[static_cast<std::size_t>(placed.row())][static_cast<std::size_t>(placed.column())];
        if (taken)
            return Rejected(LayoutFault::SharedCell,
                            ball + QStringLiteral(" at row,column %1 shares its cell with an earlier ball").arg(cell),
                            ballForPlayer + QCoreApplication::translate("LayoutString", "（行,列 %1）が前のボールと同じマスにあります").arg(cell));
        taken = true;
        reading.balls.push_back(placed);
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
