// SPDX-License-Identifier: GPL-3.0-or-later
// Every shipped stage can be cleared: the game's solver finds an order for
// each stage, and the order is clicked through the real play window.

#include "test_gametable_kit.h"

#include "play/DefModule.h"
#include "stages/LayoutString.h"
#include "play/MoveRules.h"
#include "play/StageTable.h"
#include "rules/Solver.h"

Q_DECLARE_METATYPE(std::vector<QPoint>)

class TestStagesClear : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;

    int ClearBoxes() const
    {
        return static_cast<int>(std::count_if(kit->boxes.begin(), kit->boxes.end(), [](const MsgBoxShown& box) {
            return box.text == QStringLiteral("クリア");
        }));
    }

    // Clicks `order` (ball indices) through the window, with `ticks` clock
    // seconds after the first take, and checks the clear and its record.
    void PlayToTheClear(int stage, const std::vector<int>& order, int ticks)
    {
        GameTable* table = kit->Open(stage);
        QVERIFY(table);
        QCOMPARE(table->PushCommandCount(), static_cast<int>(order.size()));
        const int boxesBefore = ClearBoxes();
        for (std::size_t i = 0; i < order.size(); ++i) {
            PlayKit::Click(order[i]);
            QCOMPARE(table->PushCommand(order[i])->Caption(), QString::number(i + 1));
            for (int t = 0; i == 0 && t < ticks; ++t)
                table->Timer1_Timer();
        }
        QCOMPARE(ClearBoxes(), boxesBefore + 1);
        QCOMPARE(table->StageCleared, QStringLiteral("1"));
        QVERIFY(!table->Timer1->isActive());
        QCOMPARE(PlayKit::Record(stage), QStringList({"1", QString::number(ticks)}));
        PlayKit::CloseTable();
        QCOMPARE(PlayKit::Record(stage), QStringList({"1", QString::number(ticks)}));
    }

    // Ball indices of a stage's cells (column, row), from its layout.
    static std::vector<int> Indices(int stage, const std::vector<QPoint>& cells)
    {
        const std::vector<BallRecord> balls = ReadLayoutString(StageTable::Layout(stage)).balls;
        std::vector<int> order;
        for (const QPoint cell : cells) {
            const auto ball = std::find_if(balls.begin(), balls.end(), [&](const BallRecord& b) {
                return b.column() == cell.x() && b.row() == cell.y();
            });
            order.push_back(ball == balls.end() ? -1 : static_cast<int>(ball - balls.begin()));
        }
        return order;
    }

private slots:
    void initTestCase() { kit = std::make_unique<PlayKit>(); }
    void cleanupTestCase() { kit.reset(); }
    void cleanup() { PlayKit::CloseTable(); }

    void everyStageCanBeCleared_data()
    {
        QTest::addColumn<int>("stage");
        for (int stage = 0; stage < StageTable::Count; ++stage)
            QTest::addRow("stage %d %s", stage, qPrintable(StageTable::Title(stage))) << stage;
    }
    void everyStageCanBeCleared()
    {
        QFETCH(int, stage);
        PlayKit::SetRecord(stage, QStringLiteral("1"), QStringLiteral("0"));
        const LayoutReading layout = ReadLayoutString(StageTable::Layout(stage));
        QVERIFY(layout.ok());
        std::vector<Rules::Cell> cells;
        for (const BallRecord& ball : layout.balls) cells.push_back({ball.row(), ball.column()});
        const Rules::SolverResult solved = Rules::Solve(Rules::Figure(cells));
        QCOMPARE(solved.verdict, Rules::Verdict::Clearable);
        std::vector<QPoint> order;
        for (const Rules::Cell cell : solved.order) order.push_back({cell.column, cell.row});
        PlayToTheClear(stage, Indices(stage, order), stage + 2);
    }

    void knownOrdersClearTheirStages_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<std::vector<QPoint>>("cells");
        QTest::newRow("26") << 26 << ClearingOrder26;
        QTest::newRow("27") << 27 << ClearingOrder27;
    }
    void knownOrdersClearTheirStages()
    {
        QFETCH(int, stage);
        QFETCH(std::vector<QPoint>, cells);
        PlayKit::SetRecord(stage, QStringLiteral("1"), QStringLiteral("0"));
        PlayToTheClear(stage, Indices(stage, cells), 7);
    }

    void blockedBallIsRefused()
    {
        // Stage 26 after (0,0) and (0,1): (0,2) lies between, so (0,3) is refused.
        GameTable* table = kit->Open(26);
        PlayKit::ClickCell({0, 0});
        PlayKit::ClickCell({0, 1});
        const int blocked = PlayKit::BallAt(0, 3);
        PlayKit::Click(blocked);
        QVERIFY(table->PushCommand(blocked)->Caption().isEmpty());
        QCOMPARE(DefModule::TakeCount, 2);
        QCOMPARE(DefModule::Board[3][0], DefModule::CellBall);
    }
};

QTEST_MAIN(TestStagesClear)
#include "test_stages_clear.moc"
