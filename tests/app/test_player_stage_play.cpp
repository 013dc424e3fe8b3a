// SPDX-License-Identifier: GPL-3.0-or-later
// A stage of the player's own in the game: it follows the thirty in the
// selection window and the records overview, plays in the real play window
// with its record under a key of its own, goes back with "記録の削除", and
// the windows follow when it is added or removed while they are open.
#include "app/MainForm.h"
#include "play/test_gametable_kit.h"
#include "records/RecordsNotice.h"
#include "select/ClearedMark.h"
#include "select/GameSelect.h"
#include "select/RecordsOverview.h"
#include "stages/PlayerStageRecords.h"
#include "stages/PlayerStagesKit.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>

namespace {

// Three balls in a row, taken from the left: a first take, then the only target each time.
const Rules::Figure Row({{2, 3}, {2, 4}, {2, 5}});
const std::vector<QPoint> RowOrder = {{3, 2}, {4, 2}, {5, 2}};  // (column, row)

} // namespace

class TestPlayerStagePlay : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;
    std::unique_ptr<MainForm> main;

    GameSelect* Select() const { return main->Selection(); }
    bool MarkShown() const { return Select()->Mark->isVisibleTo(Select()->GameTip); }
    QStringList Record() const
    {
        const RegUpRead::StageRecordTexts record = RegUpRead::PeekStage(PlayerStageRecords::RecordKey(Row));
        return {record.chargeNum, record.clearTime};
    }

private slots:
    void initTestCase()
    {
        kit = std::make_unique<PlayKit>();
        QDir(PlayerStages::Folder()).removeRecursively();
        PlayerStages::Reload();
        main = std::make_unique<MainForm>();
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->show();
    }
    void cleanup() { PlayKit::CloseTable(); }
    void cleanupTestCase()
    {
        PlayKit::CloseTable();
        main.reset();
        kit.reset();
    }

    void playedClearedAndDeletedUnderItsOwnKey()
    {
        QScrollBar* bar = Select()->HScroll1;
        main->mnu_RecordList->trigger();
        RecordsOverview* overview = RecordsOverview::Instance();
        QVERIFY(overview);

        // Added while the windows are open: the bar and the overview grow.
        QCOMPARE(AddNow(QStringLiteral("三連"), Row).index, 0);
        QCOMPARE(bar->maximum(), 30);
        QCOMPARE(overview->ClearCount->text(), QStringLiteral("クリア 0/31"));
        Select()->LeafTo(30);
        QCOMPARE(Select()->GameTip->toolTip(), QStringLiteral("三連"));
        QCOMPARE(Select()->StageShown().recordKey, PlayerStageRecords::RecordKey(Row));
        QVERIFY(!MarkShown());

        // An attempt without a clear is counted; the stage stays uncleared.
        main->mnu_Start->trigger();
        PlayKit::ClickCell(RowOrder.front());
        PlayKit::CloseTable();
        QCOMPARE(Record(), QStringList({"2", "0"}));
        QVERIFY(!MarkShown());

        // Cleared in the play window: its own record, not a stage slot.
        main->mnu_Start->trigger();
        QCOMPARE(main->StatusBar1->Panels(2)->text(), QStringLiteral("2回目の挑戦"));
        const std::size_t boxes = kit->boxes.size();
        for (const QPoint cell : RowOrder)
            PlayKit::ClickCell(cell);
        QCOMPARE(kit->boxes.size(), boxes + 1);
        QCOMPARE(Record(), QStringList({"2", "1"}));
        QCOMPARE(PlayKit::Record(30), QStringList({"1", "0"}));
        QVERIFY(MarkShown());
        QCOMPARE(overview->ClearCount->text(), QStringLiteral("クリア 1/31"));
        PlayKit::CloseTable();

        // Deleting the records takes it back with the thirty, and with it the
        // record of a stage no longer listed, lest it come back with the figure.
        const QString gone = PlayerStageRecords::RecordKey(Rules::Figure({{7, 7}, {7, 8}}));
        RegUpRead::RegSetStrings(RegUpRead::HKEY_CURRENT_USER, {{gone, "ChargeNum", "4"}, {gone, "ClearTime", "12"}}, true);
        main->mnu_Del->trigger();
        QCOMPARE(Record(), QStringList({"1", "0"}));
        QCOMPARE(RegUpRead::PeekStage(gone).clearTime, QStringLiteral("0"));
        QVERIFY(!MarkShown());
        QCOMPARE(overview->ClearCount->text(), QStringLiteral("クリア 0/31"));

        // A stage put in the folder by hand, before it: the window follows
        // the folder, and keeps this stage on display under its new number.
        Select()->LeafTo(30);
        QFile first(PlayerStages::Folder() + QStringLiteral("/0000.zumirak"));
        QVERIFY(first.open(QIODevice::WriteOnly) && first.write("[Stage]\nTitle=先\nLayout=5400,5400,6000,5400,\n") > 0);
        first.close();
        QTRY_COMPARE(bar->maximum(), 31);
        QCOMPARE(bar->value(), 31);
        QCOMPARE(Select()->GameTip->toolTip(), QStringLiteral("三連"));
        QVERIFY(first.remove());
        QTRY_COMPARE(bar->maximum(), 30);
        QCOMPARE(bar->value(), 30);

        // Removed while the windows are open: both shrink back.
        QVERIFY(PlayerStages::Remove(Row));
        QCOMPARE(bar->maximum(), 29);
        QCOMPARE(overview->Table->rowCount(), 30);
        overview->close();
    }

    void aStageWithoutKeyLeavesNoRecord()
    {
        kit->shown = {30, QStringLiteral("0000,0000,0600,0000,"), QStringLiteral("試し"), QString()};
        QSignalSpy writes(&RecordsNotice::Instance(), &RecordsNotice::StageRecordsWritten);
        QVERIFY(kit->OpenShown());
        const std::size_t boxes = kit->boxes.size();
        PlayKit::ClickCell({1, 0});
        PlayKit::ClickCell({0, 0});
        QCOMPARE(kit->boxes.size(), boxes + 1);
        PlayKit::CloseTable();
        QCOMPARE(writes.count(), 0);
        QCOMPARE(PlayKit::Record(30), QStringList({"1", "0"}));
    }
};

QTEST_MAIN(TestPlayerStagePlay)
#include "test_player_stage_play.moc"
