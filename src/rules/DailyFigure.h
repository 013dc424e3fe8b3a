// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"

#include <QDate>

#include <vector>

// The stage of the day: one figure for each calendar date, made from the date
// alone. Every player gets the same figure on the same date, on every machine
// and in every later version of the game, so this path is frozen: it has its
// own random source, its own walk and its own measure of difficulty, and
// shares nothing with the general generator but the move rules. Days before
// Monday 2027-01-04 have scattered figures; from then on they are drawn with
// care: centred on the board, about half of them symmetric. A change here
// moves every past and future day; the test pins a table of dates.
namespace Rules {

struct DayFigure {
    QDate date;
    Figure figure;
    std::vector<Cell> order;  // a take order that clears the figure, replayed through the rules
    int wantedStars = 0;      // the week's shape: 1 on Monday up to 3 on Sunday
};

// The number of balls and the stars the day of the week asks for: Monday
// the fewest and easiest, Sunday the most and hardest.
int DailyBalls(const QDate& date);
int DailyWantedStars(const QDate& date);

// The stage of `date` (a valid date). Clearable: its order is a take path
// built through the rules and replayed through them before it is returned.
DayFigure DailyFigure(const QDate& date);

} // namespace Rules
