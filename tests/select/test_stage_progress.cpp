// SPDX-License-Identifier: GPL-3.0-or-later
// Progress at a glance: the cleared mark on the selection window's picture
// and the records overview, both reading the store as the play window does
// (but for a store that lost a stage's values).
#include "play/test_gametable_kit.h"
#include "records/RecordsNotice.h"
#include "select/ClearedMark.h"
#include "select/GameSelect.h"
#include "select/RecordsOverview.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

class TestStageProgress : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;  // the record store; message boxes answered OK
    std::unique_ptr<GameSelect> select;

    void StartMain()
    {
        select = std::make_unique<GameSelect>();
        select->show();
    }

    GameSelect* Select() const { return select.get(); }
    bool MarkShown() const { return Select()->Mark->isVisibleTo(Select()->GameTip); }

    QList<int> MarkedStages() const
    {
        QList<int> marked;
        for (int stage = 0; stage < PicForm::StageCount; ++stage) {
            Select()->LeafTo(stage);
            if (MarkShown())
                marked << stage;
        }
        return marked;
    }

    // Opened as the main window's menu item opens it.
    RecordsOverview* Overview()
    {
        RecordsOverview* overview = RecordsOverview::LoadAndShow();
        connect(overview, &RecordsOverview::StageChosen, Select(), &GameSelect::LeafTo, Qt::UniqueConnection);
        return overview;
    }

    static QList<int> StageOrder(const RecordsOverview* overview)
    {
        QList<int> order;
        for (int row = 0; row < overview->Table->rowCount(); ++row)
            order << overview->StageInRow(row);
        return order;
    }

    // Attempt, time and cleared cells of `stage`, wherever the sort put it.
    static QStringList Row(const RecordsOverview* overview, int stage)
    {
        const int row = static_cast<int>(StageOrder(overview).indexOf(stage));
        QStringList cells;
        for (int column : {RecordsOverview::AttemptColumn, RecordsOverview::TimeColumn, RecordsOverview::ClearedColumn})
            cells << overview->Table->item(row, column)->text();
        return cells;
    }

private slots:
    void initTestCase() { kit = std::make_unique<PlayKit>(); }
    void cleanupTestCase() { kit.reset(); }
    void init() { PlayKit::WriteFirstRunStore(); }
    void cleanup()
    {
        PlayKit::CloseTable();
        if (RecordsOverview* overview = RecordsOverview::Instance())
            overview->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        select.reset();
    }

    void markAndOverviewFollowStartClearAndDeletion()
    {
        PlayKit::SetRecord(3, QStringLiteral("2"), QStringLiteral("95"));
        PlayKit::SetRecord(17, QStringLiteral("5"), QStringLiteral("00"));
        StartMain();
        QCOMPARE(MarkedStages(), QList<int>({3, 17}));

        // Drawn over the picture's corner; picture, title and layout stay the catalogue's.
        Select()->LeafTo(3);
        const QColor gold = Select()->GameTip->grab().toImage().pixelColor(Select()->Mark->geometry().center());
        QVERIFY2(gold.red() > 180 && gold.blue() < 140, qPrintable(gold.name()));
        QCOMPARE(Select()->GameTip->pixmap().toImage(), PicForm::Game(3).Picture.toImage());
        QCOMPARE(Select()->StageShown().title, PicForm::Game(3).ToolTipText);
        QCOMPARE(Select()->StageShown().layout, PicForm::Game(3).Tag);

        // Stage 26 cleared in the play window: both windows know before it closes.
        RecordsOverview* overview = Overview();
        QCOMPARE(overview->ClearCount->text(), QStringLiteral("クリア 2/30"));
        Select()->LeafTo(26);
        QVERIFY(!MarkShown());
        kit->shown = Select()->StageShown();
        QVERIFY(kit->OpenShown());
        for (const QPoint cell : ClearingOrder26)
            PlayKit::ClickCell(cell);
        QVERIFY(GameTable::Instance());
        QVERIFY(MarkShown());
        QCOMPARE(Row(overview, 26), QStringList({"1", "1", "○"}));
        QCOMPARE(overview->ClearCount->text(), QStringLiteral("クリア 3/30"));

        // Every record deleted, as the Options menu does it.
        QVERIFY(RegUpRead::RegSetStrings(RegUpRead::HKEY_CURRENT_USER, RegUpRead::InitialStageRecords(), true));
        QCOMPARE(MarkedStages(), QList<int>());
        QCOMPARE(Row(overview, 26), QStringList({"1", "－", ""}));
        QCOMPARE(overview->ClearCount->text(), QStringLiteral("クリア 0/30"));
    }

    void overviewReadsRecordsAsThePlayWindowDoes_data()
    {
        QTest::addColumn<QString>("chargeNum");
        QTest::addColumn<QString>("clearTime");
        QTest::addColumn<QStringList>("shown");  // attempt, time, cleared
        QTest::newRow("never cleared") << "4" << "0" << QStringList{"4", "－", ""};
        QTest::newRow("cleared") << "2" << "95" << QStringList{"2", "95", "○"};
        QTest::newRow("zeros") << "3" << "00" << QStringList{"3", "00", "○"};
        QTest::newRow("not decimal") << "abc" << "x1" << QStringList{"abc", "x1", "○"};
        QTest::newRow("values lost") << "" << "" << QStringList{"", "－", ""};
        QTest::newRow("huge") << "99999999999999999999999" << "-5" << QStringList{"999999999999999…", "-5", "○"};
    }
    void overviewReadsRecordsAsThePlayWindowDoes()
    {
        QFETCH(QString, chargeNum);
        QFETCH(QString, clearTime);
        QFETCH(QStringList, shown);
        PlayKit::SetRecord(8, chargeNum, clearTime);
        StartMain();
        RecordsOverview* overview = Overview();
        QCOMPARE(Row(overview, 8), shown);
        QCOMPARE(overview->ClearCount->text(), QStringLiteral("クリア %1/30").arg(shown[2].isEmpty() ? 0 : 1));
        Select()->LeafTo(8);
        QCOMPARE(MarkShown(), !shown[2].isEmpty());
    }

    void overviewReadsTheStoreAgainWhenOpenedAgain()
    {
        StartMain();
        Overview();
        {
            // Changed behind the notice's back, as by hand.
            const QSignalBlocker unheard(RecordsNotice::Instance());
            PlayKit::SetRecord(5, QStringLiteral("3"), QStringLiteral("42"));
        }
        QCOMPARE(Row(Overview(), 5), QStringList({"3", "42", "○"}));
    }

    void sortsTimesByValueAndLeafsOnDoubleClick()
    {
        const QStringList times = {"95", "100", "7", "00", "abc"};  // stages 3 to 7
        for (int i = 0; i < times.size(); ++i)
            PlayKit::SetRecord(3 + i, QStringLiteral("1"), times[i]);
        StartMain();
        RecordsOverview* overview = Overview();
        QCOMPARE(StageOrder(overview).first(3), QList<int>({0, 1, 2}));

        QHeaderView* header = overview->Table->horizontalHeader();
        const QPoint timeHeading(header->sectionViewportPosition(RecordsOverview::TimeColumn) + 5, 5);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, timeHeading);
        QCOMPARE(StageOrder(overview).first(5), QList<int>({6, 5, 3, 4, 7}));

        // A double click as the mouse sends it (a press first) on stage 4's row.
        QTableWidgetItem* item = overview->Table->item(static_cast<int>(StageOrder(overview).indexOf(4)), 1);
        overview->Table->scrollToItem(item);
        const QPoint at = overview->Table->visualItemRect(item).center();
        QTest::mouseClick(overview->Table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(overview->Table->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(Select()->StageShown().index, std::int16_t(4));
    }
};

QTEST_MAIN(TestStageProgress)
#include "test_stage_progress.moc"
