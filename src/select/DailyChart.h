// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/DailyStatistics.h"

#include <QWidget>

// The player's times of the stage of the day over the last weeks: a bar per
// day, its height the first clear's time, the days cleared later paler, a
// short red mark under a day tried and not cleared, the weeks marked by their
// Mondays. A screen reader reads each week's numbers instead (its description).
class DailyChart : public QWidget {
    Q_OBJECT
public:
    DailyChart(const DailyStatistics::Numbers& numbers, const QDate& today, QWidget* parent);

    // Each week in words: the days cleared, the fastest and the slowest time.
    static QString WeeksInWords(const DailyStatistics::Numbers& numbers, const QDate& today);
    // What the colours mean, as rich text for a label under the chart.
    static QString Legend();
    static QString LegendInWords();  // the same for a screen reader

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DailyStatistics::Numbers numbers_;
    QDate today_;
};
