// SPDX-License-Identifier: GPL-3.0-or-later
// The solver's verdicts: figures whose answer is known, a check against a
// plain search of every play on small figures, and its limits.
#include "rules/FigureText.h"

#include "rules/HopelessPositions.h"
#include "rules/Random.h"
#include "rules/Solver.h"

#include <QtTest>

using namespace Rules;

Q_DECLARE_METATYPE(Rules::Figure)
Q_DECLARE_METATYPE(Rules::Verdict)
Q_DECLARE_METATYPE(std::vector<Rules::Cell>)

namespace {

// Every play from every first ball, with no cut at all: the reference.
bool AnyPlayClears(const BoardState& board)
{
    for (int r = 0; r < BoardSize; ++r) {
        for (int c = 0; c < BoardSize; ++c) {
            const std::int16_t cell = board.cells[r][c];
            if (board.takeCount == 0 ? cell != CellBall : cell != CellTarget) continue;
            BoardState next = board;
            const ClickOutcome outcome = next.Click({r, c});
            if (outcome == ClickOutcome::Completed) return true;
            if (outcome == ClickOutcome::Taken && AnyPlayClears(next)) return true;
        }
    }
    return false;
}

Figure Full(int rows, int columns, int top = 0, int left = 0)
{
    Figure figure;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) figure.Set({top + r, left + c}, true);
    return figure;
}

// A hard figure: no verdict within a few hundred positions.
Figure Thicket()
{
    return FigureFromText(R"(
        oo..oooo.o..o..
        o...........oo.
        ..o..o..oo..o..
        o......o.o.o..o
        ....o.o..ooo.o.
        o.....o...oooo.
        o..oo..o..o....
        o..o.........o.
        o...oo..o.o.o.o
        oo.......o..o..
        .o.o..oooooo.o.
        .oo.o.o..o.o..o
        .o........o....
        ...ooo.ooo..o..
        ..oo...o.......)");
}

} // namespace

class TestSolver : public QObject {
    Q_OBJECT

private slots:
    void knownVerdicts_data();
    void knownVerdicts();
    void agreesWithEveryPlayOnSmallFigures();
    void limitsGiveUnknownNeverNotClearable_data();
    void limitsGiveUnknownNeverNotClearable();
    void cutOffBalls_data();
    void cutOffBalls();
    void hopelessPositionsKeepToTheirBound();
};

void TestSolver::knownVerdicts_data()
{
    QTest::addColumn<Figure>("figure");
    QTest::addColumn<Verdict>("verdict");

    QTest::newRow("no ball") << Figure() << Verdict::NotClearable;
    QTest::newRow("one ball") << FigureFromText("o") << Verdict::Clearable;
    QTest::newRow("two balls on no common line") << FigureFromText("o.\n.o") << Verdict::NotClearable;
    QTest::newRow("three dead ends") << FigureFromText(".o.\nooo") << Verdict::NotClearable;
    // Connected, two dead ends at most, yet every order strands a ball.
    QTest::newRow("a staircase") << FigureFromText("o..\noo.\nooo") << Verdict::NotClearable;
    // Two dead ends: a cut that allowed only one would call it not clearable.
    QTest::newRow("two dead ends") << FigureFromText(".oooo\no.o..\no.o..\n...oo") << Verdict::Clearable;
    QTest::newRow("the four corners") << Figure({{0, 0}, {0, 14}, {14, 0}, {14, 14}}) << Verdict::Clearable;
    QTest::newRow("last row and last column") << Figure(std::vector<Cell>{{14, 0}, {14, 7}, {14, 14}, {3, 14}})
                                              << Verdict::Clearable;
    QTest::newRow("the whole board") << Full(15, 15) << Verdict::Clearable;
    QTest::newRow("a block in the far corner") << Full(6, 7, 9, 8) << Verdict::Clearable;
    QTest::newRow("a thicket of 80") << Thicket() << Verdict::Clearable;
}

void TestSolver::knownVerdicts()
{
    QFETCH(Figure, figure);
    QFETCH(Verdict, verdict);
    const SolverResult result = Solve(figure);
    QCOMPARE(result.verdict, verdict);
    if (verdict == Verdict::Clearable) {
        QVERIFY(ClearsThroughTheRules(figure, result.order));
    } else {
        QVERIFY(result.order.empty());
    }
}

void TestSolver::agreesWithEveryPlayOnSmallFigures()
{
    // Random figures of 3 to 10 balls in a 4 x 5 corner: loose enough that
    // many are not clearable, small enough to try every play. A slip in a
    // cut shows in a few figures of many thousands (about a third of a
    // second for all of them).
    Random random(14);
    int notClearable = 0;
    for (int k = 0; k < 20000; ++k) {
        Figure figure;
        const int balls = 3 + random.Below(8);
        while (figure.Count() < balls) figure.Set({random.Below(4), random.Below(5)}, true);
        const SolverResult result = Solve(figure);
        const bool clearable = AnyPlayClears(BoardState(figure));
        QCOMPARE(result.verdict, clearable ? Verdict::Clearable : Verdict::NotClearable);
        if (clearable) QVERIFY(ClearsThroughTheRules(figure, result.order));
        notClearable += clearable ? 0 : 1;
    }
    QVERIFY(notClearable > 2000);  // the check means something both ways
}

void TestSolver::limitsGiveUnknownNeverNotClearable_data()
{
    QTest::addColumn<Figure>("figure");
    QTest::addColumn<std::size_t>("maxPositions");
    QTest::addColumn<std::size_t>("maxMemoryBytes");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<Verdict>("verdict");

    const Figure staircase = FigureFromText("o..\noo.\nooo");
    QTest::newRow("out of positions") << Thicket() << std::size_t{300} << SolverLimits{}.maxMemoryBytes << false
                                      << Verdict::Unknown;
    QTest::newRow("cancelled") << Thicket() << SolverLimits{}.maxPositions << SolverLimits{}.maxMemoryBytes << true
                               << Verdict::Unknown;
    QTest::newRow("out of memory, still right") << staircase << SolverLimits{}.maxPositions << std::size_t{0} << false
                                                << Verdict::NotClearable;
    QTest::newRow("a thicket with no memory to spare") << Thicket() << SolverLimits{}.maxPositions << std::size_t{0}
                                                       << false << Verdict::Clearable;
}

void TestSolver::limitsGiveUnknownNeverNotClearable()
{
    QFETCH(Figure, figure);
    QFETCH(std::size_t, maxPositions);
    QFETCH(std::size_t, maxMemoryBytes);
    QFETCH(bool, cancelled);
    QFETCH(Verdict, verdict);

    const std::atomic<bool> cancel{cancelled};
    std::size_t reported = 0;
    const SolverResult result =
        Solve(figure, {maxPositions, maxMemoryBytes}, &cancel, [&](std::size_t positions) { reported = positions; });
    QCOMPARE(result.verdict, verdict);
    QVERIFY(result.positions <= maxPositions + 1);
    QCOMPARE(reported, result.positions);
}

void TestSolver::cutOffBalls_data()
{
    QTest::addColumn<Figure>("figure");
    QTest::addColumn<std::vector<Cell>>("cutOff");

    QTest::newRow("all together") << FigureFromText("o.o\n...\no.o") << std::vector<Cell>{};
    QTest::newRow("through other balls") << FigureFromText("o.o\n..o\n.oo") << std::vector<Cell>{};
    QTest::newRow("the smaller group") << FigureFromText("o...\n..oo\n...o") << std::vector<Cell>{{0, 0}};
    QTest::newRow("a tie: the earlier group stays") << FigureFromText("...o\no...") << std::vector<Cell>{{1, 0}};
    QTest::newRow("two lone balls") << FigureFromText("o...\n.o..\n..oo\n...o") << std::vector<Cell>{{0, 0}, {1, 1}};
}

void TestSolver::cutOffBalls()
{
    QFETCH(Figure, figure);
    QFETCH(std::vector<Cell>, cutOff);
    QCOMPARE(CutOffBalls(figure), cutOff);
}

// The table alone: never past its bound (but for its two smallest slots),
// and every key it took while it still had room is found again.
void TestSolver::hopelessPositionsKeepToTheirBound()
{
    struct Case {
        std::size_t maxBytes;
        int inserted;
        int foundAgain;  // the first keys, which fit below the bound
    };
    const Case cases[] = {{0, 10'000, 0}, {64u << 10, 100'000, 700}, {SolverLimits{}.maxMemoryBytes, 20'000, 20'000}};
    for (const Case& c : cases) {
        HopelessPositions table(c.maxBytes);
        Random random(7);
        std::vector<HopelessPositions::Key> keys;
        for (int k = 0; k < c.inserted; ++k) {
            HopelessPositions::Key key{};
            for (std::uint64_t& word : key)
                word = (std::uint64_t(random.Below(1 << 30)) << 32) | std::uint64_t(random.Below(1 << 30)) | 1;
            keys.push_back(key);
            table.Insert(key);
        }
        QVERIFY(table.Bytes() <= std::max(c.maxBytes, 2 * sizeof(HopelessPositions::Key)));
        for (int k = 0; k < c.foundAgain; ++k)
            QVERIFY(table.Contains(keys[std::size_t(k)]));
    }
}

QTEST_GUILESS_MAIN(TestSolver)
#include "test_solver.moc"
