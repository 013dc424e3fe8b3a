// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/DailyRecords.h"

#include <QDate>
#include <QList>

#include <array>

// The player's numbers of the stage of the day, worked out from the stored
// days alone: the streaks, the days cleared, the best and the median time of
// each weekday, and each day of the last weeks for the chart.
namespace DailyStatistics {

// The chart shows the weeks up to today's, Monday to Sunday.
inline constexpr int ChartWeeks = 8;

struct Weekday {
    int cleared = 0;  // days of this weekday with a time
    int best = 0;     // seconds; 0 while none is cleared
    int median = 0;   // seconds, the lower of the middle two when even
};

struct ChartDay {
    QDate date;
    DailyRecords::Day::State state = DailyRecords::Day::State::NotTried;
    int seconds = 0;   // the first clear's time, when cleared
    int attempts = 0;  // the attempt number as stored: 1 for a day never played
};

struct Numbers {
    int streak = 0;
    int longestStreak = 0;
    int clearedOnTheDay = 0;
    int clearedLater = 0;
    std::array<Weekday, 7> weekdays;  // Monday .. Sunday
    QList<ChartDay> chart;            // ChartWeeks * 7 days, oldest first, the last week's Sunday last
    int slowest = 0;                  // the longest time in the chart: its scale
};

// `days` as DailyRecords::StoredDays gives them; `today` a valid date.
Numbers Work(const QList<DailyRecords::Day>& days, const QDate& today);

} // namespace DailyStatistics
