// SPDX-License-Identifier: GPL-3.0-or-later
// The records of the stage of the day: the streak counts only days cleared
// on their own date or in an attempt begun on it, and the records live in
// the store like any stage's.
#include "FreshStore.h"

#include "records/DailyRecords.h"

#include <QtTest>

using DailyRecords::Day;

namespace {

const QDate Today(2026, 12, 10);

// "c" cleared on its day (as records before BegunOn was kept), "m" cleared
// after midnight in an attempt begun on the day, "l" cleared later, "-"
// played, not cleared; the last letter is today, each one before it the day
// before.
QList<Day> Days(const QString& letters)
{
    QList<Day> days;
    for (qsizetype i = 0; i < letters.size(); ++i) {
        Day day;
        day.date = Today.addDays(i - letters.size() + 1);
        day.chargeNum = QStringLiteral("2");
        if (letters[i] != u'-') {
            day.clearTime = QStringLiteral("45");
            day.clearedOn = letters[i] == u'c' ? day.date : day.date.addDays(letters[i] == u'm' ? 1 : 3);
            if (letters[i] != u'c')
                day.begunOn = letters[i] == u'm' ? day.date : day.clearedOn;
        }
        days << day;
    }
    return days;
}

} // namespace

class TestDailyRecords : public QObject {
    Q_OBJECT

private slots:
    void theStreakCountsDaysClearedOnTheirDate_data()
    {
        QTest::addColumn<QString>("days");
        QTest::addColumn<int>("streak");
        QTest::addColumn<int>("daysCleared");
        QTest::addColumn<bool>("todayCleared");
        QTest::addColumn<int>("longest");
        QTest::newRow("nothing played") << "" << 0 << 0 << false << 0;
        QTest::newRow("today only") << "c" << 1 << 1 << true << 1;
        QTest::newRow("three in a row") << "ccc" << 3 << 3 << true << 3;
        QTest::newRow("today not yet: the run up to yesterday") << "cc-" << 2 << 2 << false << 2;
        QTest::newRow("a gap ends the run") << "cc-cc" << 2 << 4 << true << 2;
        QTest::newRow("a day cleared later breaks it") << "cclc" << 1 << 4 << true << 2;
        QTest::newRow("yesterday cleared later") << "ccl-" << 0 << 3 << false << 2;
        QTest::newRow("cleared after midnight, begun on the day") << "cmm" << 3 << 3 << true << 3;
        QTest::newRow("the longest run lies behind") << "ccc-m" << 1 << 4 << true << 3;
    }
    void theStreakCountsDaysClearedOnTheirDate()
    {
        QFETCH(QString, days);
        QFETCH(int, streak);
        QFETCH(int, daysCleared);
        QFETCH(bool, todayCleared);
        QFETCH(int, longest);
        const DailyRecords::Summary summary = DailyRecords::Summarise(Days(days), Today);
        QCOMPARE(summary.streak, streak);
        QCOMPARE(summary.longestStreak, longest);
        QCOMPARE(summary.daysCleared, daysCleared);
        QCOMPARE(summary.today.Cleared(), todayCleared);
        QCOMPARE(summary.today.date, Today);
    }

    void daysLiveInTheStoreAndAreReset()
    {
        FreshStore store;
        const QDate day(2026, 12, 9);
        const QString key = DailyRecords::RecordKey(day);
        // A section edited by hand into no date is no day.
        QVERIFY(RegUpRead::RegSetStrings(
            RegUpRead::HKEY_CURRENT_USER,
            {{key, QStringLiteral("ChargeNum"), QStringLiteral("3")}, {key, QStringLiteral("ClearTime"), QStringLiteral("61")},
             {key, DailyRecords::ClearedOnValue, QStringLiteral("2026-12-10")},
             {key, DailyRecords::BegunOnValue, QStringLiteral("2026-12-09")},
             {RegUpRead::DailyKeyPrefix + QStringLiteral("20261399"), QStringLiteral("ChargeNum"), QStringLiteral("1")}},
            true));
        const QList<Day> days = DailyRecords::StoredDays();
        QCOMPARE(days.size(), 1);
        QVERIFY(days.front().date == day && days.front().chargeNum == QStringLiteral("3") && days.front().CountsForStreak());
        // A day never played reads as a first attempt, not cleared.
        QCOMPARE(DailyRecords::Peek(day.addDays(1)).chargeNum, QStringLiteral("1"));
        QVERIFY(!DailyRecords::Peek(day.addDays(1)).Cleared());

        QVERIFY(RegUpRead::RegSetStrings(RegUpRead::HKEY_CURRENT_USER, DailyRecords::InitialRecords(), true));
        const Day reset = DailyRecords::Peek(day);
        QVERIFY(reset.chargeNum == QStringLiteral("1") && !reset.Cleared() && !reset.clearedOn.isValid()
                && !reset.begunOn.isValid());
    }
};

QTEST_GUILESS_MAIN(TestDailyRecords)
#include "test_daily_records.moc"
