// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class DailyChart;
class QLabel;

// The player's numbers of the stage of the day: the current and the longest
// streak, the days cleared on the day and later, each weekday's best and
// median time, and the chart of the last weeks. Opened over the result of a
// clear or over the records overview, and read from the store when it opens.
class DailyNumbers : public QDialog {
    Q_OBJECT
public:
    // Opens the window over `parent`, which it keeps waiting until it closes.
    static DailyNumbers* Open(QWidget* parent);

    DailyChart* Chart = nullptr;
    QLabel* Streak = nullptr;          // "いまの連続 3日"
    QLabel* WeekdayHeading = nullptr;  // then a line per weekday

private:
    explicit DailyNumbers(QWidget* parent);
};
