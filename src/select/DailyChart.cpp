// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/DailyChart.h"

#include "shared/AccessibleRole.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>

namespace {

const QColor OnTheDayColour(48, 96, 192);
const QColor LaterColour(150, 172, 216);
const QColor TriedColour(200, 40, 40);

constexpr int BarGap = 1;     // pixels between two days
constexpr int WeekGap = 4;    // and between two weeks
constexpr int SmallestBar = 3;

} // namespace

DailyChart::DailyChart(const DailyStatistics::Numbers& numbers, const QDate& today, QWidget* parent)
    : QWidget(parent), numbers_(numbers), today_(today)
{
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(tr("最近%1週間のクリア時間のグラフ").arg(DailyStatistics::ChartWeeks));
    setAccessibleDescription(WeeksInWords(numbers, today));
    ExposeRole(*this, QAccessible::Graphic);
}

QString DailyChart::WeeksInWords(const DailyStatistics::Numbers& numbers, const QDate& today)
{
    QStringList weeks;
    for (qsizetype first = 0; first + 7 <= numbers.chart.size(); first += 7) {
        const QDate monday = numbers.chart[first].date;
        if (monday > today)
            break;
        int cleared = 0;
        int fastest = 0;
        int slowest = 0;
        for (qsizetype k = first; k < first + 7; ++k) {
            const int seconds = numbers.chart[k].seconds;
            if (seconds == 0)
                continue;
            ++cleared;
            fastest = fastest == 0 ? seconds : std::min(fastest, seconds);
            slowest = std::max(slowest, seconds);
        }
        const QString week = tr("%1からの週").arg(monday.toString(tr("M月d日", "the date of a week's Monday")));
        weeks << (cleared == 0 ? tr("%1：クリアなし").arg(week)
                               : tr("%1：クリア %n日、最短 %2秒、最長 %3秒", nullptr, cleared)
                                     .arg(week)
                                     .arg(fastest)
                                     .arg(slowest));
    }
    return weeks.join(tr("。", "between two weeks read aloud") + u'\n');
}

QString DailyChart::LegendInWords()
{
    return tr("グラフの色：濃い青はその日のうちにクリア、薄い青は後日クリア、赤い印は挑戦して未クリアの日");
}

QString DailyChart::Legend()
{
    const auto mark = [](const QColor& colour, const QString& meaning) {
        return QStringLiteral("<span style=\"color:%1\">■</span>&nbsp;%2").arg(colour.name(), meaning.toHtmlEscaped());
    };
    return mark(OnTheDayColour, tr("その日のうちにクリア")) + QStringLiteral("&nbsp;&nbsp; ")
           + mark(LaterColour, tr("後日クリア")) + QStringLiteral("&nbsp;&nbsp; ")
           + mark(TriedColour, tr("挑戦して未クリア"));
}

QSize DailyChart::minimumSizeHint() const
{
    return {7 * DailyStatistics::ChartWeeks * 3 + DailyStatistics::ChartWeeks * WeekGap, 4 * fontMetrics().height()};
}

QSize DailyChart::sizeHint() const
{
    return {7 * DailyStatistics::ChartWeeks * 8 + DailyStatistics::ChartWeeks * WeekGap, 10 * fontMetrics().height()};
}

void DailyChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const int line = fontMetrics().height();
    // Room on the left for the scale, under the bars for the Mondays.
    const QString top = tr("%1秒").arg(numbers_.slowest);
    const int left = fontMetrics().horizontalAdvance(top) + 6;
    const QRect bars(left, line / 2, width() - left - 4, height() - line / 2 - line - 6);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(bars.bottomLeft(), bars.bottomRight());
    painter.drawLine(bars.topLeft(), bars.topRight());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRect(0, bars.top() - line / 2, left - 4, line), Qt::AlignRight | Qt::AlignVCenter, top);
    painter.drawText(QRect(0, bars.bottom() - line / 2, left - 4, line), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("0"));
    if (numbers_.slowest == 0)
        painter.drawText(bars, Qt::AlignCenter, tr("この期間にクリアした日はまだありません"));

    const int days = static_cast<int>(numbers_.chart.size());
    const int weeks = days / 7;
    const double dayWidth = (bars.width() - (weeks - 1) * WeekGap) / static_cast<double>(days);
    for (int k = 0; k < days; ++k) {
        const DailyStatistics::ChartDay& day = numbers_.chart[k];
        const int x = bars.left() + static_cast<int>(k * dayWidth) + (k / 7) * WeekGap;
        const int width = std::max(1, static_cast<int>(dayWidth) - BarGap);
        if (k % 7 == 0)
            painter.drawText(QRect(x, bars.bottom() + 3, 7 * static_cast<int>(dayWidth), line),
                             Qt::AlignLeft | Qt::AlignTop, day.date.toString(QStringLiteral("M/d")));
        if (day.date == today_)
            painter.fillRect(QRect(x, bars.top(), width, bars.height()), palette().color(QPalette::AlternateBase));
        if (day.state == DailyRecords::Day::State::Tried)
            painter.fillRect(QRect(x, bars.bottom() - 2, width, 3), TriedColour);
        if (day.seconds == 0)
            continue;
        const int height = std::max(SmallestBar, static_cast<int>(static_cast<long long>(day.seconds) * bars.height()
                                                                  / numbers_.slowest));
        painter.fillRect(QRect(x, bars.bottom() - height + 1, width, height),
                         day.state == DailyRecords::Day::State::ClearedOnTheDay ? OnTheDayColour : LaterColour);
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}
