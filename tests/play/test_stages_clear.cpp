// Every shipped stage can be cleared: a small depth-first solver over the
// game's move rules finds an order for each stage, and the order is clicked
// through the real play window.

#include "test_gametable_kit.h"

#include "play/DefModule.h"
#include "stages/LayoutString.h"
#include "play/MoveRules.h"
#include "play/StageTable.h"

#include <cstring>
#include <optional>
#include <unordered_set>

namespace {

// The board and its counters, saved and put back around each trial take.
struct BoardState {
    std::int16_t board[DefModule::BoardSize][DefModule::BoardSize];
    std::int16_t takeCount, lastRow, lastColumn;

    static BoardState Save()
    {
        BoardState state;
        std::memcpy(state.board, DefModule::Board, sizeof state.board);
        state.takeCount = DefModule::TakeCount;
        state.lastRow = DefModule::LastRow;
        state.lastColumn = DefModule::LastColumn;
        return state;
    }

    void Restore() const
    {
        std::memcpy(DefModule::Board, board, sizeof board);
        DefModule::TakeCount = takeCount;
        DefModule::LastRow = lastRow;
        DefModule::LastColumn = lastColumn;
    }

    std::string Key() const
    {
        return std::string(reinterpret_cast<const char*>(board), sizeof board) + char(lastRow) + char(lastColumn);
    }

    int Targets() const
    {
        const std::int16_t* cells = &board[0][0];
        return static_cast<int>(std::count(cells, cells + sizeof board / sizeof *cells, DefModule::CellTarget));
    }
};

// Finds an order of ball indices that takes every ball. The moves leaving
// the fewest choices go first (cornered balls are taken while they still
// can be), and positions found hopeless are not searched again.
//
// The search visits at most MaxPositions positions (the shipped stages need
// at most about 63 000), so that broken move rules fail the test in seconds
// instead of filling the memory with positions.
class Solver {
public:
    static constexpr std::size_t MaxPositions = 200000;

    explicit Solver(std::vector<BallRecord> balls) : balls_(std::move(balls)) {}

    std::optional<std::vector<int>> Solve()
    {
        ResetBoard();
        for (const BallRecord& ball : balls_)
            PlaceBall(static_cast<std::int16_t>(ball.row()), static_cast<std::int16_t>(ball.column()));
        std::vector<int> order;
        if (Search(order))
            return order;
        return std::nullopt;
    }

    // True when the search stopped at MaxPositions rather than running out of moves.
    bool GaveUp() const { return hopeless_.size() >= MaxPositions; }

private:
    bool Search(std::vector<int>& order)
    {
        const BoardState here = BoardState::Save();
        if (hopeless_.size() >= MaxPositions || !hopeless_.insert(here.Key()).second)
            return false;

        struct Move {
            int ball;
            BoardState after;
        };
        std::vector<Move> moves;
        for (int k = 0; k < static_cast<int>(balls_.size()); ++k) {
            const BallRecord& ball = balls_[static_cast<std::size_t>(k)];
            const ClickOutcome outcome =
                ClickBall(static_cast<std::int16_t>(ball.row()), static_cast<std::int16_t>(ball.column()));
            if (outcome == ClickOutcome::Completed) {
                order.push_back(k);
                return true;
            }
            if (outcome == ClickOutcome::Taken)
                moves.push_back({k, BoardState::Save()});
            here.Restore();
        }
        std::stable_sort(moves.begin(), moves.end(),
                         [](const Move& a, const Move& b) { return a.after.Targets() < b.after.Targets(); });
        for (const Move& move : moves) {
            move.after.Restore();
            order.push_back(move.ball);
            if (Search(order))
                return true;
            order.pop_back();
        }
        return false;
    }

    std::vector<BallRecord> balls_;
    std::unordered_set<std::string> hopeless_;
};

} // namespace

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
        Solver solver(layout.balls);
        const std::optional<std::vector<int>> order = solver.Solve();
        QVERIFY2(order, solver.GaveUp() ? "no order found within the search's bound" : "no order takes every ball");
        PlayToTheClear(stage, *order, stage + 2);
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
