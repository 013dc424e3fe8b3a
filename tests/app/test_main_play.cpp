// SPDX-License-Identifier: GPL-3.0-or-later
// The play window inside the main window: where Start opens it, what a second
// Start does, the main window's status bar and sound switch as the play
// window uses them, and the main window closing the stage first.
#include "app/MainForm.h"
#include "play/DefModule.h"
#include "play/StageTable.h"
#include "play/test_gametable_kit.h"
#include "select/GameSelect.h"

#include <QMdiSubWindow>
#include <QScrollBar>

class TestMainPlay : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;  // the record store and the recorders
    std::unique_ptr<MainForm> main;

    GameTable* Start(int stage)
    {
        main->Selection()->HScroll1->setValue(stage);
        main->mnu_Start_Click();
        return GameTable::Instance();
    }

    QString Panel(int index) const { return main->StatusBar1->Panels(index)->text(); }

private slots:
    void initTestCase() { kit = std::make_unique<PlayKit>(); }
    void cleanupTestCase() { kit.reset(); }
    void init()
    {
        main = std::make_unique<MainForm>();
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->show();
    }
    void cleanup()
    {
        PlayKit::CloseTable();
        main.reset();
    }

    void startOpensTheStageOnDisplayBesideTheSelection_data()
    {
        QTest::addColumn<int>("stage");
        QTest::newRow("stage 24, tallest") << 24;
        QTest::newRow("stage 15, widest") << 15;
    }
    void startOpensTheStageOnDisplayBesideTheSelection()
    {
        QFETCH(int, stage);
        GameTable* table = Start(stage);
        QVERIFY(table);
        QCOMPARE(table->StageNumber, QString::number(stage));
        QCOMPARE(table->windowTitle(), StageTable::Title(stage));
        const QMdiSubWindow* frame = table->SubWindow();
        const QRect selection = main->SelectionSubWindow()->geometry();
        QCOMPARE(frame->pos(), QPoint(selection.right() + 1, 0));
        // The main window grew so the whole play window shows without scrolling.
        QVERIFY(main->Workspace()->viewport()->rect().contains(frame->geometry()));
    }

    void startWhileOpenOnlyBringsItToTheFront()
    {
        GameTable* table = Start(0);
        PlayKit::Click(0);
        QCOMPARE(Start(7), table);
        QCOMPARE(table->StageNumber, QStringLiteral("0"));
        QCOMPARE(table->PushCommand(0)->Caption(), QStringLiteral("1"));
        QCOMPARE(main->Workspace()->activeSubWindow(), table->SubWindow());
        QCOMPARE(main->Workspace()->subWindowList().size(), 2);
    }

    void statusBarAndSoundSwitchAreTheMainWindows()
    {
        PlayKit::SetRecord(5, QStringLiteral("3"), QStringLiteral("95"));
        main->mnu_Sound->setChecked(false);
        GameTable* table = Start(5);
        QCOMPARE(Panel(2), QStringLiteral("3回目で成功"));
        QCOMPARE(Panel(3), QStringLiteral("達成記録95秒"));

        kit->sounds.clear();
        PlayKit::Click(0);
        table->Timer1_Timer();
        QCOMPARE(Panel(1), QStringLiteral("1秒"));
        for (const SoundCall& call : kit->sounds)
            QVERIFY2(call.routine != "SoundPlay", "a sound played with the switch off");

        PlayKit::CloseTable();
        QCOMPARE(Panel(1), QStringLiteral("0秒"));
        QCOMPARE(Panel(2), QStringLiteral("1回目の挑戦"));
        QCOMPARE(Panel(3), QStringLiteral("達成記録 0秒"));
        PlayKit::SetRecord(5, QStringLiteral("1"), QStringLiteral("0"));
    }

    void closingTheMainWindowClosesTheStageFirst()
    {
        PlayKit::SetRecord(4, QStringLiteral("6"), QStringLiteral("0"));
        Start(4);
        PlayKit::Click(0);
        kit->sounds.clear();
        main->close();
        QVERIFY(!GameTable::Instance());
        QCOMPARE(PlayKit::Record(4), QStringList({"7", "0"}));
        QCOMPARE(Panel(1), QStringLiteral("0秒"));
        QCOMPARE(kit->sounds, std::vector<SoundCall>({{"SoundStop", 0, 0, {}}, {"SoundClose", -1, 0, {}}}));
        PlayKit::SetRecord(4, QStringLiteral("1"), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestMainPlay)
#include "test_main_play.moc"
