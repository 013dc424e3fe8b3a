// Progress at a glance: the cleared mark on the selection window's picture
// and the records overview, both reading the store as the play window does.
#include "app/MainForm.h"
#include "play/test_gametable_kit.h"
#include "select/ClearedMark.h"
#include "select/GameSelect.h"
#include "select/RecordsOverview.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

class TestStageProgress : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;  // the record store; message boxes answered OK
    std::unique_ptr<MainForm> main;

    void StartMain()
    {
        main = std::make_unique<MainForm>();
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->show();
    }

    GameSelect* Select() const { return main->Selection(); }
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

    RecordsOverview* Overview()
    {
        main->mnu_RecordList->trigger();
        return RecordsOverview::Instance();
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
        main.reset();
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
        main->mnu_Start->trigger();
        for (const QPoint cell : ClearingOrder26)
            PlayKit::ClickCell(cell);
        QVERIFY(GameTable::Instance());
        QVERIFY(MarkShown());
        QCOMPARE(Row(overview, 26), QStringList({"1", "1", "○"}));
        QCOMPARE(overview->ClearCount->text(), QStringLiteral("クリア 3/30"));

        main->mnu_Del->trigger();
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
        QTest::newRow("empty") << "" << "" << QStringList{"", "", "○"};
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

    void menuItemOpensOneWindowThatClosesWithTheMainWindow()
    {
        StartMain();
        const QList<QAction*> options = main->mnu_Option->menu()->actions();
        const qsizetype at = options.indexOf(main->mnu_RecordList);
        QVERIFY(at > 0);
        QCOMPARE(options[at - 1], main->mnu_Del);
        QCOMPARE(main->mnu_RecordList->text(), QStringLiteral("記録一覧"));
        QVERIFY(main->mnu_RecordList->shortcut().isEmpty());

        RecordsOverview* overview = Overview();
        QCOMPARE(overview->windowTitle(), QStringLiteral("記録一覧"));
        QVERIFY(!overview->isModal());
        QCOMPARE(Overview(), overview);
        QTest::mouseClick(overview->Command1, Qt::LeftButton);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!RecordsOverview::Instance());

        QVERIFY(Overview());
        main->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!RecordsOverview::Instance());
    }
};

QTEST_MAIN(TestStageProgress)
#include "test_stage_progress.moc"
