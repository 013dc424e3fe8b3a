// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/DailyStatistics.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace DailyStatistics {

namespace {

// A cleared day's time in seconds; 0 for a time damaged into no number.
int Seconds(const DailyRecords::Day& day)
{
    bool number = false;
    const int seconds = day.clearTime.toInt(&number);
    return number && seconds > 0 ? seconds : 0;
}

ChartDay ChartDayOf(const DailyRecords::Day& day)
{
    ChartDay shown;
    shown.date = day.date;
    shown.attempts = std::max(0, day.chargeNum.toInt());
    shown.seconds = day.Cleared() ? Seconds(day) : 0;
    shown.state = day.StateNow();  // a first attempt under way or never begun reads the same: "1"
    return shown;
}

} // namespace

Numbers Work(const QList<DailyRecords::Day>& days, const QDate& today)
{
    Numbers numbers;
    const DailyRecords::Summary summary = DailyRecords::Summarise(days, today);
    numbers.streak = summary.streak;
    numbers.longestStreak = summary.longestStreak;

    std::array<std::vector<int>, 7> times;
    QHash<qint64, DailyRecords::Day> byDate;
    for (const DailyRecords::Day& day : days) {
        byDate.insert(day.date.toJulianDay(), day);
        if (!day.Cleared())
            continue;
        ++(day.CountsForStreak() ? numbers.clearedOnTheDay : numbers.clearedLater);
        if (const int seconds = Seconds(day))
            times[static_cast<std::size_t>(day.date.dayOfWeek() - 1)].push_back(seconds);
    }
    for (std::size_t weekday = 0; weekday < times.size(); ++weekday) {
        std::vector<int>& seconds = times[weekday];
        if (seconds.empty())
            continue;
        std::sort(seconds.begin(), seconds.end());
        numbers.weekdays[weekday] = {static_cast<int>(seconds.size()), seconds.front(),
                                     seconds[(seconds.size() - 1) / 2]};
    }

    const QDate first = today.addDays(7 - today.dayOfWeek() - 7 * ChartWeeks + 1);
    for (int k = 0; k < 7 * ChartWeeks; ++k) {
        const QDate date = first.addDays(k);
        DailyRecords::Day day = byDate.value(date.toJulianDay());
        day.date = date;
        numbers.chart << ChartDayOf(day);
        numbers.slowest = std::max(numbers.slowest, numbers.chart.back().seconds);
    }
    return numbers;
}

} // namespace DailyStatistics
