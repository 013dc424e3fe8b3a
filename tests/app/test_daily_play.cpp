// SPDX-License-Identifier: GPL-3.0-or-later
// The stage of the day as a player meets it: opened from the menu, played in
// the play window with the date in its caption, the result copied with one
// key, and the records overview's line; a past day counts as cleared but not
// for the streak.
#include "app/MainForm.h"
#include "play/test_gametable_kit.h"
#include "records/DailyRecords.h"
#include "rules/DailyFigure.h"
#include "select/DailyPlay.h"
#include "select/DailyResult.h"
#include "select/RecordsOverview.h"
#include "stages/DailyStage.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>

class TestDailyPlay : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;
    std::unique_ptr<MainForm> main;

    // Opens the day (today's from the menu), takes every ball in its built
    // order and waits for the result window.
    DailyResult* PlayAndClear(const QDate& date)
    {
        if (date == QDate::currentDate())
            main->mnu_DailyToday->trigger();
        else
            OpenDailyStage(date, {&kit->Workspace(), QPoint(0, 0), kit.get(), kit.get(), nullptr}, main.get());
        for (const Rules::Cell& cell : Rules::DailyFigure(date).order)
            PlayKit::ClickCell(QPoint(cell.column, cell.row));
        if (!QTest::qWaitFor([this] { return main->findChild<DailyResult*>() != nullptr; }))
            return nullptr;
        return main->findChild<DailyResult*>();
    }

private slots:
    void initTestCase()
    {
        kit = std::make_unique<PlayKit>();
        main = std::make_unique<MainForm>();
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->show();
    }
    void cleanup()
    {
        qDeleteAll(main->findChildren<DailyResult*>());
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
        const QDate today = QDate::currentDate();
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
        // Nothing of the figure: no cell of it.
        for (const Rules::Cell& cell : Rules::DailyFigure(today).order)
            QVERIFY(!shared.contains(QStringLiteral("%1,%2").arg(cell.row).arg(cell.column)));

        QVERIFY(DailyRecords::Peek(today).ClearedOnTheDay());
        main->mnu_RecordList->trigger();
        const QString line = RecordsOverview::Instance()->DailyLine->text();
        QVERIFY2(line.contains(QStringLiteral("今日：クリア（1回目・")) && line.contains(QStringLiteral("連続 1日")),
                 qPrintable(line));
        RecordsOverview::Instance()->close();
    }

    void aPastDayCountsAsClearedNotForTheStreak()
    {
        const UnexpectedBoxes::Expected resultWindow;  // the day's result opens after the clear
        const QDate lastWeek = QDate::currentDate().addDays(-7);
        DailyResult* result = PlayAndClear(lastWeek);
        QVERIFY(result && result->Result->text().contains(QStringLiteral("（後日）")));
        QVERIFY(DailyRecords::Peek(lastWeek).Cleared() && !DailyRecords::Peek(lastWeek).ClearedOnTheDay());
        const DailyRecords::Summary summary = DailyRecords::SummaryNow();
        QCOMPARE(summary.daysCleared, 2);
        QCOMPARE(summary.streak, 1);
    }
};

QTEST_MAIN(TestDailyPlay)
#include "test_daily_play.moc"
