// Every shipped stage can be cleared: a small solver of our own, written from
// the take rules independently of the game's, finds an order for each stage,
// and the order is clicked through the real play window.

#include "test_gametable_kit.h"

#include "play/DefModule.h"
#include "play/LayoutString.h"
#include "play/StageTable.h"

#include <array>
#include <optional>
#include <unordered_set>

namespace {

// The take rules over a 15 x 15 board of cell codes.
class TakeRules {
public:
    enum Cell : std::int8_t { Empty = 0, Ball = 1, Target = 5, Taken = 9 };
    static constexpr int Size = 15;

    explicit TakeRules(const std::vector<BallRecord>& balls) : ballCount_(static_cast<int>(balls.size()))
    {
        for (auto& row : board_)
            row.fill(Empty);
        for (const BallRecord& ball : balls)
            board_[ball.row()][ball.column()] = Ball;
    }

    int takeCount() const { return takeCount_; }
    bool complete() const { return takeCount_ == ballCount_; }

    bool MayTake(int row, int column) const
    {
        const std::int8_t cell = board_[row][column];
        return takeCount_ == 0 ? cell == Ball : cell == Target;
    }

    void Take(int row, int column)
    {
        const bool first = takeCount_ == 0;
        board_[row][column] = Taken;
        if (++takeCount_ == ballCount_)
            return;

        // Direction of the move; the later test wins, as in the game.
        enum { None, Down, Up, Right, Left } move = None;
        if (!first) {
            if (lastRow_ < row)
                move = Down;
            if (lastRow_ > row)
                move = Up;
            if (lastColumn_ < column)
                move = Right;
            if (lastColumn_ > column)
                move = Left;
        }
        lastRow_ = row;
        lastColumn_ = column;

        // Nearest plain ball right, left, down and up; anything else is passed over.
        constexpr int steps[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
        std::array<std::optional<std::pair<int, int>>, 4> found;
        for (int d = 0; d < 4; ++d) {
            for (int r = row + steps[d][0], c = column + steps[d][1]; r >= 0 && r < Size && c >= 0 && c < Size;
                 r += steps[d][0], c += steps[d][1]) {
                if (board_[r][c] == Ball) {
                    board_[r][c] = Target;
                    found[d] = {r, c};
                    break;
                }
            }
        }
        for (int r = 0; r < Size; ++r) {
            for (int c = 0; c < Size; ++c) {
                const bool fresh = std::any_of(found.begin(), found.end(), [&](const auto& f) {
                    return f && f->first == r && f->second == c;
                });
                if (board_[r][c] == Target && !fresh)
                    board_[r][c] = Ball;
            }
        }
        // The way back is closed: indices into `found` as searched above.
        const int back = move == Down ? 3 : move == Up ? 2 : move == Right ? 1 : move == Left ? 0 : -1;
        if (back >= 0 && found[back])
            board_[found[back]->first][found[back]->second] = Ball;
    }

    // False when some ball left can never be taken: it is no target now and
    // no other ball left shares its row or column to lead to it later.
    bool EveryBallReachable() const
    {
        std::array<int, Size> leftInRow{};
        std::array<int, Size> leftInColumn{};
        for (int r = 0; r < Size; ++r) {
            for (int c = 0; c < Size; ++c) {
                if (board_[r][c] == Ball || board_[r][c] == Target) {
                    ++leftInRow[r];
                    ++leftInColumn[c];
                }
            }
        }
        for (int r = 0; r < Size; ++r) {
            for (int c = 0; c < Size; ++c) {
                if (board_[r][c] == Ball && leftInRow[r] == 1 && leftInColumn[c] == 1)
                    return false;
            }
        }
        return true;
    }

    int TargetCount() const
    {
        int count = 0;
        for (const auto& row : board_)
            count += static_cast<int>(std::count(row.begin(), row.end(), Target));
        return count;
    }

    std::string Key() const
    {
        std::string key(reinterpret_cast<const char*>(board_.data()), sizeof board_);
        key.push_back(static_cast<char>(lastRow_));
        key.push_back(static_cast<char>(lastColumn_));
        return key;
    }

private:
    std::array<std::array<std::int8_t, Size>, Size> board_{};
    int ballCount_ = 0;
    int takeCount_ = 0;
    int lastRow_ = 0;
    int lastColumn_ = 0;
};

// Depth-first search for an order of ball indices that takes every ball;
// positions found hopeless are remembered and not searched again.
class Solver {
public:
    explicit Solver(const std::vector<BallRecord>& balls) : balls_(balls) {}

    std::optional<std::vector<int>> Solve()
    {
        std::vector<int> order;
        if (Search(TakeRules(balls_), order))
            return order;
        return std::nullopt;
    }

private:
    bool Search(const TakeRules& rules, std::vector<int>& order)
    {
        if (rules.complete())
            return true;
        if (rules.takeCount() > 0 && !rules.EveryBallReachable())
            return false;
        if (!hopeless_.insert(rules.Key()).second)
            return false;

        // The moves that leave the fewest choices go first: the cornered
        // balls are taken while they still can be.
        struct Move {
            int ball;
            TakeRules after;
            int choices;
        };
        std::vector<Move> moves;
        for (int k = 0; k < static_cast<int>(balls_.size()); ++k) {
            const BallRecord& ball = balls_[static_cast<std::size_t>(k)];
            if (!rules.MayTake(ball.row(), ball.column()))
                continue;
            TakeRules after = rules;
            after.Take(ball.row(), ball.column());
            moves.push_back({k, after, after.complete() ? 0 : after.TargetCount()});
        }
        std::stable_sort(moves.begin(), moves.end(),
                         [](const Move& a, const Move& b) { return a.choices < b.choices; });
        for (const Move& move : moves) {
            order.push_back(move.ball);
            if (Search(move.after, order))
                return true;
            order.pop_back();
        }
        return false;
    }

    const std::vector<BallRecord>& balls_;
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
        const std::optional<std::vector<int>> order = Solver(layout.balls).Solve();
        QVERIFY2(order, "no order takes every ball");
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
        // The solver's rules agree with the window here.
        TakeRules rules(ReadLayoutString(StageTable::Layout(26)).balls);
        rules.Take(0, 0);
        rules.Take(1, 0);
        QVERIFY(!rules.MayTake(3, 0));
        QVERIFY(rules.MayTake(2, 0));
        QVERIFY(rules.MayTake(1, 1));
    }
};

QTEST_MAIN(TestStagesClear)
#include "test_stages_clear.moc"
