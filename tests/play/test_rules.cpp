// SPDX-License-Identifier: GPL-3.0-or-later
// Which ball may be taken next: the board after each click, drawn as text.
#include "play/DefModule.h"
#include "stages/LayoutString.h"
#include "play/MoveRules.h"
#include "play/StageTable.h"

#include <QtTest>

#include <utility>
#include <vector>

using namespace DefModule;

namespace {

// A board as text, top-left corner first: one line per row, one character per
// cell, separated by spaces. '.' empty, 'o' ball, 't' target, 'x' taken.
// Cells beyond the lines drawn are empty.
char CellChar(std::int16_t code)
{
    switch (code) {
    case CellEmpty: return '.';
    case CellBall: return 'o';
    case CellTarget: return 't';
    case CellTaken: return 'x';
    default: return '?';
    }
}

std::int16_t CellCode(QChar ch)
{
    switch (ch.unicode()) {
    case 'o': return CellBall;
    case 't': return CellTarget;
    case 'x': return CellTaken;
    default: return CellEmpty;
    }
}

QStringList PictureLines(const QString& picture)
{
    QStringList lines;
    for (const QString& line : picture.split(u'\n', Qt::SkipEmptyParts)) {
        lines << line.simplified().remove(u' ');
    }
    return lines;
}

// Lays a drawn board out as it stands between two clicks: the counters agree
// with the cells, and the previous take was on (lastRow, lastColumn).
void SetBoard(const QString& picture, int lastRow = 0, int lastColumn = 0)
{
    ResetBoard();
    const QStringList lines = PictureLines(picture);
    for (int r = 0; r < lines.size(); ++r) {
        for (int c = 0; c < lines[r].size(); ++c) {
            const std::int16_t code = CellCode(lines[r][c]);
            Board[r][c] = code;
            if (code != CellEmpty) ++BallCount;
            if (code == CellTaken) ++TakeCount;
        }
    }
    LastRow = static_cast<std::int16_t>(lastRow);
    LastColumn = static_cast<std::int16_t>(lastColumn);
}

// The board drawn with as many rows and columns as `like`; anything on the
// rest of the board is reported after it.
QString BoardText(const QString& like)
{
    const QStringList lines = PictureLines(like);
    const int rows = static_cast<int>(lines.size());
    const int columns = lines.isEmpty() ? 0 : static_cast<int>(lines.first().size());
    QString text;
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c) cells << QString(QChar(CellChar(Board[r][c])));
        text += cells.join(u' ') + u'\n';
    }
    for (int r = 0; r < BoardSize; ++r) {
        for (int c = 0; c < BoardSize; ++c) {
            if ((r >= rows || c >= columns) && Board[r][c] != CellEmpty) {
                text += QStringLiteral("and %1 on row %2, column %3\n").arg(CellChar(Board[r][c])).arg(r).arg(c);
            }
        }
    }
    return text;
}

// `picture` in the form BoardText gives.
QString Normalized(const QString& picture)
{
    QString text;
    for (const QString& line : PictureLines(picture)) {
        QStringList cells;
        for (const QChar ch : line) cells << QString(ch);
        text += cells.join(u' ') + u'\n';
    }
    return text;
}

#define COMPARE_BOARD(expected) QCOMPARE(BoardText(expected), Normalized(expected))

int CountCells(std::int16_t code)
{
    int count = 0;
    for (const auto& row : Board) {
        for (const std::int16_t cell : row) count += cell == code ? 1 : 0;
    }
    return count;
}

// Sets up a shipped stage as the play window does.
void LoadStage(int index)
{
    ResetBoard();
    const LayoutReading layout = ReadLayoutString(StageTable::Layout(index));
    QVERIFY2(layout.ok(), qPrintable(layout.error));
    for (const BallRecord& ball : layout.balls) {
        PlaceBall(static_cast<std::int16_t>(ball.row()), static_cast<std::int16_t>(ball.column()));
    }
    QCOMPARE(BallCount, static_cast<std::int16_t>(layout.balls.size()));
}

// A click given as (column, row), the order in which stage walkthroughs are written.
ClickOutcome ClickColumnRow(int column, int row)
{
    return ClickBall(static_cast<std::int16_t>(row), static_cast<std::int16_t>(column));
}

using ColumnRow = std::pair<int, int>;

// Everything a refused click must leave alone.
struct Snapshot {
    std::vector<std::int16_t> cells;
    std::int16_t ballCount, takeCount, lastRow, lastColumn, firstTake;

    static Snapshot Take()
    {
        Snapshot s{{}, BallCount, TakeCount, LastRow, LastColumn, FirstTake};
        for (const auto& row : Board) s.cells.insert(s.cells.end(), std::begin(row), std::end(row));
        return s;
    }
    bool operator==(const Snapshot&) const = default;
};

} // namespace

class TestRules : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetBoard(); }

    void stageTwentySixPlaysAsInTheWalkthrough();
    void searchLooksPastTakenBallsButStopsAtTheFirstBall();
    void searchReachesTheFarEdges();
    void wayBackIsClosed_data();
    void wayBackIsClosed();
    void unchosenTargetsAreWithdrawn();
    void unchosenTargetsOnTheLastRowAndColumnAreWithdrawn();
    void firstTakeHasUpToFourTargetsLaterTakesThree();
    void refusedClicksChangeNothing_data();
    void refusedClicksChangeNothing();
    void shippedOrdersClearTheirStages_data();
    void shippedOrdersClearTheirStages();
    void setUpCountsEachBallOnce();
};

void TestRules::stageTwentySixPlaysAsInTheWalkthrough()
{
    LoadStage(26);
    COMPARE_BOARD(R"(
        o . . . . .
        o o . . . .
        o . o . . .
        o . . o . .
        o o o o . .
        o . . . . o)");

    QCOMPARE(ClickColumnRow(0, 0), ClickOutcome::Taken);
    QCOMPARE(FirstTake, std::int16_t(1));
    COMPARE_BOARD(R"(
        x . . . . .
        t o . . . .
        o . o . . .
        o . . o . .
        o o o o . .
        o . . . . o)");

    QCOMPARE(ClickColumnRow(1, 1), ClickOutcome::Refused);
    QCOMPARE(ClickColumnRow(0, 1), ClickOutcome::Taken);
    QCOMPARE(FirstTake, std::int16_t(0));
    COMPARE_BOARD(R"(
        x . . . . .
        x t . . . .
        t . o . . .
        o . . o . .
        o o o o . .
        o . . . . o)");

    // A ball beyond the next one in line is out of reach.
    QCOMPARE(ClickColumnRow(0, 3), ClickOutcome::Refused);

    QCOMPARE(ClickColumnRow(1, 1), ClickOutcome::Taken);
    COMPARE_BOARD(R"(
        x . . . . .
        x x . . . .
        o . o . . .
        o . . o . .
        o t o o . .
        o . . . . o)");
    QCOMPARE(TakeCount, std::int16_t(3));
    QCOMPARE(LastRow, std::int16_t(1));
    QCOMPARE(LastColumn, std::int16_t(1));
}

void TestRules::searchLooksPastTakenBallsButStopsAtTheFirstBall()
{
    // Balls at columns 2, 5 and 8 of row 2, the one at 5 taken earlier: coming
    // down onto column 2, the ball at 8 is in reach to the right.
    SetBoard(R"(
        . . x . . . . . .
        . . . . . . . . .
        . . t . . x . . o)",
             0, 2);
    QCOMPARE(ClickBall(2, 2), ClickOutcome::Taken);
    COMPARE_BOARD(R"(
        . . x . . . . . .
        . . . . . . . . .
        . . x . . x . . t)");

    // Balls at columns 1, 3 and 6: from 1 only the ball at 3 is in reach.
    SetBoard(". o . o . . o");
    QCOMPARE(ClickBall(0, 1), ClickOutcome::Taken);
    COMPARE_BOARD(". x . t . . o");
}

void TestRules::searchReachesTheFarEdges()
{
    // From column 10 to column 0 past empty and taken cells, likewise from
    // row 10 up to row 0, and out to the last row and column of the board.
    ResetBoard();
    PlaceBall(10, 10);
    PlaceBall(10, 0);
    PlaceBall(0, 10);
    PlaceBall(10, 14);
    PlaceBall(14, 10);
    Board[10][5] = CellTaken;
    Board[5][10] = CellTaken;
    QCOMPARE(ClickBall(10, 10), ClickOutcome::Taken);
    QCOMPARE(Board[10][0], CellTarget);
    QCOMPARE(Board[0][10], CellTarget);
    QCOMPARE(Board[10][14], CellTarget);
    QCOMPARE(Board[14][10], CellTarget);

    // From the bottom-right corner the searches leave the board at once.
    ResetBoard();
    PlaceBall(14, 14);
    PlaceBall(14, 0);
    PlaceBall(0, 14);
    QCOMPARE(ClickBall(14, 14), ClickOutcome::Taken);
    QCOMPARE(Board[14][0], CellTarget);
    QCOMPARE(Board[0][14], CellTarget);
}

void TestRules::wayBackIsClosed_data()
{
    // A ball, the previous take, and the take now made, in a line; the search
    // back finds the first ball past the previous take, but that way is closed.
    // A ball across the line stays in reach.
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("lastRow");
    QTest::addColumn<int>("lastColumn");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("after");

    QTest::newRow("moving down closes up") << R"(
        o . .
        x . .
        t . o)" << 1 << 0 << 2 << 0 << R"(
        o . .
        x . .
        x . t)";
    QTest::newRow("moving up closes down") << R"(
        t . o
        x . .
        o . .)" << 1 << 0 << 0 << 0 << R"(
        x . t
        x . .
        o . .)";
    QTest::newRow("moving right closes left") << R"(
        o x . t
        . . . .
        . . . o)" << 0 << 1 << 0 << 3 << R"(
        o x . x
        . . . .
        . . . t)";
    QTest::newRow("moving left closes right") << R"(
        t . x o
        . . . .
        o . . .)" << 0 << 2 << 0 << 0 << R"(
        x . x o
        . . . .
        t . . .)";
}

void TestRules::wayBackIsClosed()
{
    QFETCH(QString, before);
    QFETCH(int, lastRow);
    QFETCH(int, lastColumn);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, after);

    SetBoard(before, lastRow, lastColumn);
    QCOMPARE(ClickBall(row, column), ClickOutcome::Taken);
    COMPARE_BOARD(after);
    QCOMPARE(LastRow, row);
    QCOMPARE(LastColumn, column);
}

void TestRules::unchosenTargetsAreWithdrawn()
{
    // The first take in the middle marks four targets; taking the one to the
    // right returns the other three to plain balls, and the ball past the
    // right target becomes the new target in that line.
    SetBoard(R"(
        . . o . . .
        . . . . . .
        o . o . o o
        . . . . . .
        . . o . . .)");
    QCOMPARE(ClickBall(2, 2), ClickOutcome::Taken);
    COMPARE_BOARD(R"(
        . . t . . .
        . . . . . .
        t . x . t o
        . . . . . .
        . . t . . .)");

    QCOMPARE(ClickBall(2, 4), ClickOutcome::Taken);
    COMPARE_BOARD(R"(
        . . o . . .
        . . . . . .
        o . x . x t
        . . . . . .
        . . o . . .)");

    // A withdrawn target may be taken again later once it is in reach.
    QCOMPARE(ClickBall(0, 2), ClickOutcome::Refused);
}

void TestRules::unchosenTargetsOnTheLastRowAndColumnAreWithdrawn()
{
    // A first take at (9, 9) with a ball in each direction, two of them on
    // the board's last row and last column; then the left one is taken.
    const std::int16_t cells[][2] = {{9, 9}, {2, 9}, {14, 9}, {9, 2}, {9, 14}};  // (row, column)
    for (const auto& cell : cells)
        PlaceBall(cell[0], cell[1]);
    QCOMPARE(ClickBall(9, 9), ClickOutcome::Taken);
    QCOMPARE(CountCells(CellTarget), 4);
    QCOMPARE(ClickBall(9, 2), ClickOutcome::Taken);
    QCOMPARE(Board[14][9], CellBall);
    QCOMPARE(Board[9][14], CellBall);
    QCOMPARE(Board[2][9], CellBall);
    QCOMPARE(CountCells(CellTarget), 0);
}

void TestRules::firstTakeHasUpToFourTargetsLaterTakesThree()
{
    SetBoard(R"(
        . . o . .
        . . . . .
        o . o . o
        . . o . .
        o . o . o)");
    QCOMPARE(ClickBall(2, 2), ClickOutcome::Taken);
    QCOMPARE(CountCells(CellTarget), 4);

    // Balls in all four directions of a later take, but one is the way back.
    SetBoard(R"(
        . . o . .
        . . x . .
        o . t . o
        . . o . .)",
             1, 2);
    QCOMPARE(ClickBall(2, 2), ClickOutcome::Taken);
    COMPARE_BOARD(R"(
        . . o . .
        . . x . .
        t . x . t
        . . t . .)");
}

void TestRules::refusedClicksChangeNothing_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    // On the board below: (0,0) taken, (0,1) its target, (1,0) a plain ball.
    QTest::newRow("a taken ball") << 0 << 0;
    QTest::newRow("a ball that is not a target") << 1 << 0;
    QTest::newRow("an empty cell") << 1 << 1;
    QTest::newRow("left of the board") << 0 << -1;
    QTest::newRow("below the board") << 15 << 0;
    QTest::newRow("far off the board") << 32767 << -32768;
}

void TestRules::refusedClicksChangeNothing()
{
    QFETCH(int, row);
    QFETCH(int, column);
    SetBoard(R"(
        x t
        o .)");
    const Snapshot before = Snapshot::Take();
    QCOMPARE(ClickBall(static_cast<std::int16_t>(row), static_cast<std::int16_t>(column)), ClickOutcome::Refused);
    QVERIFY(Snapshot::Take() == before);
}

void TestRules::shippedOrdersClearTheirStages_data()
{
    QTest::addColumn<int>("stage");
    QTest::addColumn<std::vector<ColumnRow>>("order");
    QTest::newRow("Ａ") << 26
                        << std::vector<ColumnRow>{{0, 0}, {0, 1}, {1, 1}, {1, 4}, {2, 4}, {2, 2}, {0, 2},
                                                  {0, 3}, {3, 3}, {3, 4}, {0, 4}, {0, 5}, {5, 5}};
    QTest::newRow("Ａ２") << 27
                         << std::vector<ColumnRow>{{4, 3}, {3, 3}, {3, 2}, {0, 2}, {0, 1}, {2, 1}, {2, 3},
                                                   {1, 3}, {1, 0}, {0, 0}, {0, 3}, {0, 4}, {5, 4}};
}

void TestRules::shippedOrdersClearTheirStages()
{
    QFETCH(int, stage);
    QFETCH(std::vector<ColumnRow>, order);
    LoadStage(stage);

    for (std::size_t k = 0; k < order.size(); ++k) {
        const auto [column, row] = order[k];
        const bool last = k + 1 == order.size();
        QCOMPARE(ClickColumnRow(column, row), last ? ClickOutcome::Completed : ClickOutcome::Taken);
        QCOMPARE(TakeCount, static_cast<std::int16_t>(k + 1));
        QVERIFY(CountCells(CellTarget) <= (k == 0 ? 4 : 3));
        QCOMPARE(CountCells(CellTaken), static_cast<int>(k + 1));
    }
    // The completing take marks nothing: the previous take's cell is kept.
    const auto [lastColumn, lastRow] = order[order.size() - 2];
    QCOMPARE(LastRow, lastRow);
    QCOMPARE(LastColumn, lastColumn);
    QCOMPARE(CountCells(CellTarget), 0);

    // After the clear every click is refused.
    const Snapshot cleared = Snapshot::Take();
    for (const auto& [column, row] : order) QCOMPARE(ClickColumnRow(column, row), ClickOutcome::Refused);
    QVERIFY(Snapshot::Take() == cleared);
}

void TestRules::setUpCountsEachBallOnce()
{
    SetBoard(R"(
        x t
        o o)",
             1, 1);
    FirstTake = 1;
    ResetBoard();
    QCOMPARE(CountCells(CellEmpty), BoardSize * BoardSize);
    QCOMPARE(BallCount, std::int16_t(0));
    QCOMPARE(TakeCount, std::int16_t(0));
    QCOMPARE(LastRow, std::int16_t(0));
    QCOMPARE(LastColumn, std::int16_t(0));
    QCOMPARE(FirstTake, std::int16_t(0));

    // The same cell twice and cells off the board add no ball.
    PlaceBall(3, 4);
    PlaceBall(3, 4);
    PlaceBall(-1, 4);
    PlaceBall(3, 15);
    QCOMPARE(BallCount, std::int16_t(1));
    QCOMPARE(CountCells(CellBall), 1);

    // A one-ball stage is cleared by its first click.
    QCOMPARE(ClickBall(3, 4), ClickOutcome::Completed);
    QCOMPARE(ClickBall(3, 4), ClickOutcome::Refused);
}

QTEST_GUILESS_MAIN(TestRules)
#include "test_rules.moc"
