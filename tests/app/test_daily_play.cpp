// SPDX-License-Identifier: GPL-3.0-or-later
// The stage of the day as a player meets it: opened from the menu, played in
// the play window with the date in its caption, the result copied with one
// key, and the records overview's line; a past day counts as cleared but not
// for the streak, an attempt begun before midnight does. The game's clock is
// driven: midnight comes without waiting.
#include "app/InterfaceLanguage.h"
#include "app/MainForm.h"
#include "play/test_gametable_kit.h"
#include "records/DailyRecords.h"
#include "rules/DailyFigure.h"
#include "select/DailyCalendar.h"
#include "select/DailyPlay.h"
#include "select/DailyResult.h"
#include "select/RecordsOverview.h"
#include "shared/Announce.h"
#include "shared/LocalDay.h"
#include "stages/DailyStage.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QLabel>

class TestDailyPlay : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;
    std::unique_ptr<MainForm> main;
    QDateTime now;
    const QDate wednesday{2026, 12, 16};

    void SetClock(const QDate& date, const QTime& time)
    {
        now = QDateTime(date, time);
        LocalDay::Instance().Check();
    }

    // Opens the day (today's from the menu), and, with the clock moved to
    // `clearedAt` when given, takes every ball in its built order and waits
    // for the result window.
    DailyResult* PlayAndClear(const QDate& date, const QDateTime& clearedAt = {})
    {
        if (date == LocalDay::Instance().Today())
            main->mnu_DailyToday->trigger();
        else
            OpenDailyStage(date, {&kit->Workspace(), QPoint(0, 0), kit.get(), kit.get(), nullptr}, main.get());
        if (clearedAt.isValid())
            SetClock(clearedAt.date(), clearedAt.time());
        for (const Rules::Cell& cell : Rules::DailyFigure(date).order)
            PlayKit::ClickCell(QPoint(cell.column, cell.row));
        if (!QTest::qWaitFor([this] { return main->findChild<DailyResult*>() != nullptr; }))
            return nullptr;
        return main->findChild<DailyResult*>();
    }

    QString OverviewLine()
    {
        main->mnu_RecordList->trigger();
        return RecordsOverview::Instance()->DailyLine->text();
    }

private slots:
    void initTestCase()
    {
        kit = std::make_unique<PlayKit>();
        LocalDay::Instance().SetClock([this] { return now; });
        SetClock(wednesday, QTime(12, 0));
        main = std::make_unique<MainForm>();
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->show();
    }
    void cleanup()
    {
        qDeleteAll(main->findChildren<DailyResult*>());
        if (RecordsOverview::Instance())
            RecordsOverview::Instance()->close();
        PlayKit::CloseTable();
    }
    void cleanupTestCase()
    {
        PlayKit::CloseTable();
        main.reset();
        kit.reset();
    }

    void todaysStageIsClearedAndItsResultCopied()
    {
        const UnexpectedBoxes::Expected resultWindow;  // the day's result opens after the clear
        const QDate today = wednesday;
        DailyResult* result = PlayAndClear(today);
        QVERIFY(result);
        QCOMPARE(GameTable::Instance()->windowTitle(), QStringLiteral("日替わりステージ ") + today.toString(Qt::ISODate));
        QVERIFY(GameTable::Instance()->accessibleDescription().contains(QStringLiteral("連続 0日")));
        QVERIFY(QTest::qWaitForWindowActive(result));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C);
        const QString shared = QGuiApplication::clipboard()->text();
        QCOMPARE(shared, result->Result->text());
        QCOMPARE(result->ResultLine->text(), QStringLiteral("結果をコピーしました。"));
        QVERIFY(shared.contains(QStringLiteral("1回目でクリア")) && shared.contains(QStringLiteral("連続 1日")));
        QVERIFY(shared.contains(QString(DailyStageOf(today).stars, u'★')) && !shared.contains(QStringLiteral("（後日）")));
        QCOMPARE(result->NextDaily->text(), QStringLiteral("次の日替わりステージまで　あと12時間0分"));
        // Nothing of the figure: no cell of it.
        for (const Rules::Cell& cell : Rules::DailyFigure(today).order)
            QVERIFY(!shared.contains(QStringLiteral("%1,%2").arg(cell.row).arg(cell.column)));

        QVERIFY(DailyRecords::Peek(today).CountsForStreak());
        const QString line = OverviewLine();
        QVERIFY2(line.contains(QStringLiteral("今日：クリア（1回目・")) && line.contains(QStringLiteral("連続 1日")),
                 qPrintable(line));
        // Midnight comes while the overview is open: a new today.
        SetClock(wednesday.addDays(1), QTime(0, 0, 1));
        QVERIFY2(RecordsOverview::Instance()->DailyLine->text().contains(QStringLiteral("今日：未クリア")),
                 qPrintable(RecordsOverview::Instance()->DailyLine->text()));
    }

    // Two days cleared and a streak of one: neither number stands for the
    // other. A past day's shared result carries no streak.
    void aPastDayCountsAsClearedNotForTheStreak()
    {
        const UnexpectedBoxes::Expected resultWindow;  // the day's result opens after the clear
        SetClock(wednesday, QTime(13, 0));
        DailyResult* result = PlayAndClear(wednesday.addDays(-7));
        QVERIFY(result);
        QVERIFY(result->Result->text().contains(QStringLiteral("（後日）")));
        QVERIFY2(!result->Result->text().contains(QStringLiteral("連続")), qPrintable(result->Result->text()));
        const QString line = OverviewLine();
        QVERIFY2(line.contains(QStringLiteral("クリアした日：2　連続 1日")), qPrintable(line));
    }

    // Thursday's stage opened at 23:59:35 and cleared after midnight counts
    // for the streak; cleared again on Saturday, it keeps its first clear.
    void anAttemptBegunBeforeMidnightCountsAndTheFirstClearStays()
    {
        const UnexpectedBoxes::Expected resultWindow;  // the day's result opens after the clear
        const QDate thursday = wednesday.addDays(1);
        SetClock(thursday, QTime(23, 59, 35));
        DailyResult* result = PlayAndClear(thursday, QDateTime(thursday.addDays(1), QTime(0, 0, 10)));
        QVERIFY(result);
        QVERIFY2(!result->Result->text().contains(QStringLiteral("（後日）"))
                     && result->Result->text().endsWith(QStringLiteral("連続 2日")),
                 qPrintable(result->Result->text()));
        cleanup();

        SetClock(thursday.addDays(2), QTime(9, 0));
        QVERIFY(PlayAndClear(thursday));
        const DailyRecords::Day again = DailyRecords::Peek(thursday);
        QCOMPARE(again.clearedOn, thursday.addDays(1));
        QVERIFY(again.CountsForStreak());
        QCOMPARE(DailyRecords::SummaryNow().longestStreak, 2);
    }

    void theResultSaysHowLongUntilTheNextStage_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QString>("said");
        QTest::newRow("just after midnight") << QTime(0, 0, 5) << "次の日替わりステージまで　あと23時間59分";
        QTest::newRow("an hour to go") << QTime(23, 0) << "次の日替わりステージまで　あと1時間0分";
        QTest::newRow("seconds to go") << QTime(23, 59, 35) << "次の日替わりステージまで　あと1分";
    }
    void theResultSaysHowLongUntilTheNextStage()
    {
        QFETCH(QTime, now);
        QFETCH(QString, said);
        QCOMPARE(TimeToNextDailyText(QDateTime(wednesday, now)), said);
    }

    // The chooser tells each day as the records above left it, in the
    // interface's language even under the C locale; days to come cannot be
    // chosen, and every move (End too) says the day it lands on.
    void theCalendarRemembersEachDay_data()
    {
        QTest::addColumn<int>("fromWednesday");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("cleared on the day") << 0 << "2026年12月16日水曜日　その日にクリア　★★";
        QTest::newRow("cleared after midnight") << 1 << "2026年12月17日木曜日　その日にクリア　★★";
        QTest::newRow("cleared later") << -7 << "2026年12月9日水曜日　後日クリア　★★";
        QTest::newRow("tried") << 2 << "2026年12月18日金曜日　挑戦したが未クリア　★★";
        QTest::newRow("today, not tried") << 3 << "2026年12月19日土曜日　今日　未挑戦　★★★";
    }
    void theCalendarRemembersEachDay()
    {
        QFETCH(int, fromWednesday);
        QFETCH(QString, spoken);
        InterfaceLanguage::Install(*qApp);
        const QDate friday = wednesday.addDays(2);
        QVERIFY(RegUpRead::RegSetString(RegUpRead::HKEY_CURRENT_USER, DailyRecords::RecordKey(friday),
                                        QStringLiteral("ChargeNum"), QStringLiteral("2"), true));
        DailyCalendar calendar(LocalDay::Instance().Today(), nullptr);
        QCOMPARE(calendar.Spoken(wednesday.addDays(fromWednesday)), spoken);

        calendar.show();
        calendar.setSelectedDate(wednesday.addDays(4));  // tomorrow
        QCOMPARE(calendar.selectedDate(), wednesday.addDays(3));
        QTest::keyClick(calendar.Days(), Qt::Key_End);
        QCOMPARE(LastAnnouncement(), calendar.Spoken(calendar.selectedDate()));
        calendar.SetToday(wednesday.addDays(1));
        QCOMPARE(calendar.LatestNotCleared(), wednesday.addDays(-1));
    }
};

QTEST_MAIN(TestDailyPlay)
#include "test_daily_play.moc"
