// SPDX-License-Identifier: GPL-3.0-or-later
// The stage clock and the stage's record over several visits: what the clear
// and the close write, and what the status bar shows.

#include "test_gametable_kit.h"

#include "play/DefModule.h"

#include <QPointer>

class TestGameTableRecord : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;

    // Plays stage 26 to its clear, with `ticks` clock seconds after the first take.
    void ClearStage26(int ticks)
    {
        PlayKit::ClickCell(ClearingOrder26.front());
        for (int i = 0; i < ticks; ++i)
            GameTable::Instance()->Timer1_Timer();
        for (std::size_t i = 1; i < ClearingOrder26.size(); ++i)
            PlayKit::ClickCell(ClearingOrder26[i]);
    }

    int ClearBoxes() const
    {
        return static_cast<int>(std::count_if(kit->boxes.begin(), kit->boxes.end(), [](const MsgBoxShown& box) {
            return box.text == QStringLiteral("クリア");
        }));
    }

    void ExpectIdleStatusBar()
    {
        QCOMPARE(kit->Panel(1), QStringLiteral("0秒"));
        QCOMPARE(kit->Panel(2), QStringLiteral("1回目の挑戦"));
        QCOMPARE(kit->Panel(3), QStringLiteral("達成記録 0秒"));
    }

private slots:
    void initTestCase() { kit = std::make_unique<PlayKit>(); }
    void cleanupTestCase() { kit.reset(); }
    void cleanup() { PlayKit::CloseTable(); }

    void recordOverSeveralVisits()
    {
        // Never played: opened and closed at once counts the attempt.
        GameTable* table = kit->Open(26);
        QCOMPARE(kit->Panel(2), QStringLiteral("1回目の挑戦"));
        QCOMPARE(kit->Panel(3), QStringLiteral("達成記録0秒"));
        PlayKit::CloseTable();
        QVERIFY(!GameTable::Instance());
        QCOMPARE(PlayKit::Record(26), QStringList({"2", "0"}));
        ExpectIdleStatusBar();

        // The second attempt clears after 95 seconds.
        table = kit->Open(26);
        QCOMPARE(kit->Panel(2), QStringLiteral("2回目の挑戦"));
        ClearStage26(95);
        QCOMPARE(table->StageCleared, QStringLiteral("1"));
        QVERIFY(!table->Timer1->isActive());
        QCOMPARE(kit->Panel(1), QStringLiteral("95秒"));
        QCOMPARE(PlayKit::Record(26), QStringList({"2", "95"}));
        QCOMPARE(ClearBoxes(), 1);
        QCOMPARE(kit->boxes.back().title, QStringLiteral("ズミラク"));
        QCOMPARE(kit->boxes.back().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        // The window stays open with every number showing.
        QCOMPARE(GameTable::Instance(), table);
        for (std::size_t i = 0; i < ClearingOrder26.size(); ++i) {
            const QPoint cell = ClearingOrder26[i];
            QCOMPARE(table->PushCommand(PlayKit::BallAt(cell.x(), cell.y()))->Caption(), QString::number(i + 1));
        }
        PlayKit::CloseTable();
        QCOMPARE(PlayKit::Record(26), QStringList({"2", "95"}));

        // Later visits, closed or cleared faster, change nothing.
        kit->Open(26);
        QCOMPARE(kit->Panel(2), QStringLiteral("2回目で成功"));
        QCOMPARE(kit->Panel(3), QStringLiteral("達成記録95秒"));
        PlayKit::CloseTable();
        QCOMPARE(PlayKit::Record(26), QStringList({"2", "95"}));
        kit->Open(26);
        ClearStage26(10);
        QCOMPARE(ClearBoxes(), 2);
        PlayKit::CloseTable();
        QCOMPARE(PlayKit::Record(26), QStringList({"2", "95"}));
    }

    void clickAfterTheClearChangesNothing()
    {
        PlayKit::SetRecord(27, QStringLiteral("1"), QStringLiteral("0"));
        GameTable* table = kit->Open(27);
        const int boxesBefore = ClearBoxes();
        for (const QPoint cell : ClearingOrder27)
            PlayKit::ClickCell(cell);
        QCOMPARE(ClearBoxes(), boxesBefore + 1);
        for (int k = 0; k < table->PushCommandCount(); ++k)
            PlayKit::Click(k);
        QCOMPARE(ClearBoxes(), boxesBefore + 1);
        QCOMPARE(DefModule::TakeCount, 13);
        QCOMPARE(table->PushCommand(PlayKit::BallAt(4, 3))->Caption(), QStringLiteral("1"));
    }

    void clockCountsSecondsFromTheFirstClick()
    {
        GameTable* table = kit->Open(0);
        QCOMPARE(kit->Panel(1), QStringLiteral("0秒"));
        QVERIFY(!table->Timer1->isActive());
        PlayKit::Click(5);
        QVERIFY(table->Timer1->isActive());
        QCOMPARE(table->ClockStarted, std::int16_t(1));
        table->Timer1_Timer();
        QCOMPARE(kit->Panel(1), QStringLiteral("1秒"));
        for (int i = 1; i < 59; ++i)
            table->Timer1_Timer();
        QCOMPARE(kit->Panel(1), QStringLiteral("59秒"));
        QCOMPARE(table->ElapsedSeconds, std::int16_t(59));

        // A refused click does not restart anything.
        PlayKit::Click(5);
        QCOMPARE(table->ElapsedSeconds, std::int16_t(59));
        QVERIFY(table->Timer1->isActive());
    }

    void clockHoldsAtItsLimit()
    {
        GameTable* table = kit->Open(0);
        PlayKit::Click(0);
        table->ElapsedSeconds = 32766;
        table->Timer1_Timer();
        QCOMPARE(kit->Panel(1), QStringLiteral("32767秒"));
        table->Timer1_Timer();
        QCOMPARE(table->ElapsedSeconds, std::int16_t(32767));
        QCOMPARE(kit->Panel(1), QStringLiteral("32767秒"));
    }

    void clearInsideTheFirstSecondIsStillRecorded()
    {
        PlayKit::SetRecord(26, QStringLiteral("4"), QStringLiteral("0"));
        kit->Open(26);
        ClearStage26(0);
        QCOMPARE(PlayKit::Record(26), QStringList({"4", "1"}));
        PlayKit::CloseTable();
        kit->Open(26);
        QCOMPARE(kit->Panel(2), QStringLiteral("4回目で成功"));
    }

    void damagedAttemptNumberStillCounts_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("afterClose");
        QTest::newRow("plain") << "41" << "42";
        QTest::newRow("digits then text") << "12abc" << "13";
        QTest::newRow("leading blank") << " 7" << "8";
        QTest::newRow("no digits") << "abc" << "1";
        QTest::newRow("empty") << "" << "1";
        QTest::newRow("negative sign") << "-5" << "1";
        QTest::newRow("at the limit") << "2147483647" << "2147483647";
        QTest::newRow("beyond any integer") << "99999999999999999999999" << "2147483647";
    }
    void damagedAttemptNumberStillCounts()
    {
        QFETCH(QString, stored);
        QFETCH(QString, afterClose);
        PlayKit::SetRecord(9, stored, QStringLiteral("0"));
        kit->Open(9);
        PlayKit::CloseTable();
        QCOMPARE(PlayKit::Record(9), QStringList({afterClose, "0"}));
    }

    // Only the exact text "0" means never cleared; the record of a stage
    // counted as cleared is shown as such and never written again.
    void onlyTheTextZeroIsNeverCleared_data()
    {
        QTest::addColumn<QString>("clearTime");
        QTest::addColumn<QString>("attemptText");
        QTest::addColumn<QString>("chargeNumAfterClose");
        QTest::newRow("0") << "0" << "3回目の挑戦" << "4";
        QTest::newRow("empty") << "" << "3回目で成功" << "3";
        QTest::newRow("00") << "00" << "3回目で成功" << "3";
        QTest::newRow("abc") << "abc" << "3回目で成功" << "3";
    }
    void onlyTheTextZeroIsNeverCleared()
    {
        QFETCH(QString, clearTime);
        QFETCH(QString, attemptText);
        QFETCH(QString, chargeNumAfterClose);
        PlayKit::SetRecord(11, QStringLiteral("3"), clearTime);
        kit->Open(11);
        QCOMPARE(kit->Panel(2), attemptText);
        PlayKit::CloseTable();
        QCOMPARE(PlayKit::Record(11), QStringList({chargeNumAfterClose, clearTime}));
    }

    void clockStopsWhenTheWindowCloses()
    {
        GameTable* table = kit->Open(0);
        PlayKit::Click(0);
        QPointer<QTimer> clock = table->Timer1;
        QVERIFY(clock->isActive());
        table->close();  // deleted later, with its timer
        QVERIFY(!clock->isActive());
        QCOMPARE(table->ClockStarted, std::int16_t(0));
        QCOMPARE(kit->Panel(1), QStringLiteral("0秒"));
    }
};

QTEST_MAIN(TestGameTableRecord)
#include "test_gametable_record.moc"
