// SPDX-License-Identifier: GPL-3.0-or-later
// The numbers of the stage of the day: streaks, days cleared, each weekday's
// best and median time, and the days the chart shows.
#include "records/DailyStatistics.h"

#include <QtTest>

using DailyRecords::Day;
using DailyStatistics::ChartDay;
using State = DailyRecords::Day::State;

namespace {

const QDate Today(2026, 12, 10);  // a Thursday
constexpr std::size_t Thursday = 3;

// Days as "offset:kind" from today, kind "c<seconds>" cleared on its day,
// "l<seconds>" cleared later, "t<attempts>" tried and not cleared.
QList<Day> Days(const QString& text)
{
    QList<Day> days;
    for (const QString& token : text.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = token.split(u':');
        Day day;
        day.date = Today.addDays(parts[0].toInt());
        const QChar kind = parts[1][0];
        const QString value = parts[1].sliced(1);
        if (kind == u't') {
            day.chargeNum = value;
        } else {
            day.clearTime = value;
            day.clearedOn = kind == u'c' ? day.date : day.date.addDays(2);
        }
        days << day;
    }
    return days;
}

} // namespace

class TestDailyStatistics : public QObject {
    Q_OBJECT

private slots:
    void numbersOfTheStoredDays_data()
    {
        QTest::addColumn<QString>("days");
        QTest::addColumn<QList<int>>("streaks");   // current, longest
        QTest::addColumn<QList<int>>("cleared");   // on the day, later
        QTest::addColumn<QList<int>>("thursday");  // days with a time, best, median
        QTest::newRow("nothing played") << "" << QList{0, 0} << QList{0, 0} << QList{0, 0, 0};
        QTest::newRow("odd count: the middle time") << "0:c30 -7:c50 -14:c10" << QList{1, 1} << QList{3, 0}
                                                    << QList{3, 10, 30};
        QTest::newRow("even count: the lower middle") << "0:c30 -7:l50 -14:c10 -21:l40" << QList{1, 1}
                                                      << QList{2, 2} << QList{4, 10, 30};
        QTest::newRow("the longest run lies in the past") << "-10:c5 -9:c5 -8:c5 -1:c5 0:c5" << QList{2, 3}
                                                          << QList{5, 0} << QList{1, 5, 5};
        QTest::newRow("a time damaged into no number") << "0:cx" << QList{1, 1} << QList{1, 0} << QList{0, 0, 0};
        QTest::newRow("tried, not cleared") << "0:t3 -7:t2" << QList{0, 0} << QList{0, 0} << QList{0, 0, 0};
    }
    void numbersOfTheStoredDays()
    {
        QFETCH(QString, days);
        QFETCH(QList<int>, streaks);
        QFETCH(QList<int>, cleared);
        QFETCH(QList<int>, thursday);
        const DailyStatistics::Numbers numbers = DailyStatistics::Work(Days(days), Today);
        QCOMPARE((QList{numbers.streak, numbers.longestStreak}), streaks);
        QCOMPARE((QList{numbers.clearedOnTheDay, numbers.clearedLater}), cleared);
        const DailyStatistics::Weekday& day = numbers.weekdays[Thursday];
        QCOMPARE((QList{day.cleared, day.best, day.median}), thursday);
    }

    // Eight whole weeks, Monday first, today's week last: each day in its place.
    void theChartShowsTheLastWeeks_data()
    {
        QTest::addColumn<int>("offset");  // from today
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("attempts");
        QTest::newRow("today, on the day") << 0 << int(State::ClearedOnTheDay) << 30 << 1;
        QTest::newRow("Monday, later") << -3 << int(State::ClearedLater) << 20 << 1;
        QTest::newRow("last Sunday, tried") << -4 << int(State::Tried) << 0 << 2;
        QTest::newRow("never played") << -5 << int(State::NotTried) << 0 << 1;
        QTest::newRow("the first Monday") << -52 << int(State::ClearedOnTheDay) << 7 << 1;
        QTest::newRow("this Sunday, to come") << 3 << int(State::NotTried) << 0 << 1;
    }
    void theChartShowsTheLastWeeks()
    {
        QFETCH(int, offset);
        QFETCH(int, state);
        QFETCH(int, seconds);
        QFETCH(int, attempts);
        const DailyStatistics::Numbers numbers =
            DailyStatistics::Work(Days("0:c30 -3:l20 -4:t2 -52:c7 -53:c900"), Today);
        QCOMPARE(numbers.chart.size(), 7 * DailyStatistics::ChartWeeks);
        QCOMPARE(numbers.chart.front().date.dayOfWeek(), 1);
        QCOMPARE(numbers.slowest, 30);  // the day before the first Monday is not shown
        const ChartDay& day = numbers.chart[numbers.chart.size() - 4 + offset];
        QCOMPARE(day.date, Today.addDays(offset));
        QCOMPARE((QList{int(day.state), day.seconds, day.attempts}), (QList{state, seconds, attempts}));
    }
};

QTEST_GUILESS_MAIN(TestDailyStatistics)
#include "test_daily_statistics.moc"
