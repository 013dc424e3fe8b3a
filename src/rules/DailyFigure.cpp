// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/DailyFigure.h"

#include "rules/BoardState.h"
#include "rules/Direction.h"

#include <algorithm>
#include <bitset>
#include <cstdint>

namespace Rules {

namespace {

// Everything below is frozen: the numbers, the order of the random draws and
// the way each draw is used. Do not tidy it into the general generator.

// SplitMix64, whole-number choices only (the same numbers on every machine).
class DayRandom {
public:
    explicit DayRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int count) { return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(count)) >> 32); }

private:
    std::uint64_t state_;
};

constexpr std::uint64_t DaySalt = 0x7A756D6972616B31ull;  // mixed with the date's day number
constexpr int MaxCandidates = 96;
constexpr int WalksPerCandidate = 48;
constexpr int FarOptionsPerLine = 3;
constexpr int MeasurePlays = 128;
constexpr std::uint64_t MeasureSeed = 0x5A4D1A4Bu;
constexpr int TwoStarsFrom = 300;
constexpr int ThreeStarsFrom = 420;

// Monday .. Sunday (Qt's dayOfWeek 1..7).
constexpr int BallsOfWeekday[7] = {16, 20, 24, 28, 32, 36, 40};
constexpr int StarsOfWeekday[7] = {1, 1, 2, 2, 2, 3, 3};
// How often a walk jumps past the nearest free cell, by the stars wanted:
// far jumps leave lines that random play walks into and cannot leave.
constexpr int FarPercentOfStars[4] = {0, 0, 50, 100};

int WeekdayIndex(const QDate& date) { return date.dayOfWeek() - 1; }

// A take path built one ball at a time, each new ball in a straight line
// from the last and never the way back; the free cells passed over stay
// empty for good, so the path replays through the rules as it was built.
std::vector<Cell> Walk(DayRandom& random, int wanted, int farPercent)
{
    std::bitset<BoardSize * BoardSize> placed;
    std::bitset<BoardSize * BoardSize> keptEmpty;
    std::vector<Cell> path{{random.Below(BoardSize), random.Below(BoardSize)}};
    placed.set(static_cast<std::size_t>(IndexOf(path.back())));
    Direction move = NoDirection;

    struct Option {
        Cell cell;
        Direction move;
    };
    while (static_cast<int>(path.size()) < wanted) {
        std::vector<Option> nearest;
        std::vector<Option> far;
        for (const Direction d : {Right, Left, Down, Up}) {
            if (d == WayBack(move)) continue;
            int found = 0;
            for (Cell cell = Beyond(path.back(), d); OnBoard(cell) && found < FarOptionsPerLine;
                 cell = Beyond(cell, d)) {
                const auto index = static_cast<std::size_t>(IndexOf(cell));
                if (placed.test(index) || keptEmpty.test(index)) continue;
                (found == 0 ? nearest : far).push_back({cell, d});
                ++found;
            }
        }
        far.insert(far.end(), nearest.begin(), nearest.end());
        if (far.empty()) break;
        const bool jump = random.Below(100) < farPercent;
        const std::vector<Option>& options = jump || nearest.empty() ? far : nearest;
        const Option chosen = options[static_cast<std::size_t>(random.Below(static_cast<int>(options.size())))];

        for (Cell cell = Beyond(path.back(), chosen.move); cell != chosen.cell; cell = Beyond(cell, chosen.move)) {
            const auto index = static_cast<std::size_t>(IndexOf(cell));
            if (!placed.test(index)) keptEmpty.set(index);
        }
        placed.set(static_cast<std::size_t>(IndexOf(chosen.cell)));
        path.push_back(chosen.cell);
        move = chosen.move;
    }
    return path;
}

// The share of balls, in thousandths, that random play leaves on the board.
int PerMilleLeft(const Figure& figure, const std::vector<Cell>& balls)
{
    DayRandom random(MeasureSeed);
    const BoardState start(figure);
    long long taken = 0;
    for (int play = 0; play < MeasurePlays; ++play) {
        BoardState board = start;
        ClickOutcome outcome = board.Click(balls[static_cast<std::size_t>(random.Below(static_cast<int>(balls.size())))]);
        while (outcome == ClickOutcome::Taken) {
            const Targets targets = MarkedTargets(board);
            if (targets.count == 0) break;
            outcome = board.Click(targets.cells[random.Below(targets.count)]);
        }
        taken += board.takeCount;
    }
    const long long all = static_cast<long long>(MeasurePlays) * static_cast<long long>(balls.size());
    return static_cast<int>(1000 - taken * 1000 / all);
}

// How far a measure lies from the band of the wanted stars (0 inside it).
int DistanceFromStars(int perMille, int stars)
{
    const int low = stars == 1 ? 0 : stars == 2 ? TwoStarsFrom : ThreeStarsFrom;
    const int high = stars == 1 ? TwoStarsFrom - 1 : stars == 2 ? ThreeStarsFrom - 1 : 1000;
    return perMille < low ? low - perMille : perMille > high ? perMille - high : 0;
}

// A copy of Rules::OrderClears, kept on purpose: the day's figure must stay
// the same on every machine and in every version, so nothing shared with the
// proofs or the generator may ever change which path it accepts.
bool Clears(const Figure& figure, const std::vector<Cell>& order)
{
    BoardState board(figure);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const ClickOutcome outcome = board.Click(order[k]);
        if (outcome != (k + 1 == order.size() ? ClickOutcome::Completed : ClickOutcome::Taken)) return false;
    }
    return !order.empty();
}

} // namespace

int DailyBalls(const QDate& date) { return BallsOfWeekday[WeekdayIndex(date)]; }

int DailyWantedStars(const QDate& date) { return StarsOfWeekday[WeekdayIndex(date)]; }

namespace {

// The days before FirstMadeDay: scattered figures, wherever the walk led.
DayFigure FirstFigure(const QDate& date)
{
    DayFigure stage;
    stage.date = date;
    stage.wantedStars = DailyWantedStars(date);
    const int wanted = DailyBalls(date);
    DayRandom random(static_cast<std::uint64_t>(date.toJulianDay()) ^ DaySalt);

    // Candidates are drawn until one has the stars of the day; within the
    // bound, the nearest to them.
    int bestDistance = -1;
    for (int k = 0; k < MaxCandidates && bestDistance != 0; ++k) {
        std::vector<Cell> path;
        for (int walk = 0; walk < WalksPerCandidate && static_cast<int>(path.size()) < wanted; ++walk)
            path = Walk(random, wanted, FarPercentOfStars[stage.wantedStars]);
        if (static_cast<int>(path.size()) < wanted || !Clears(Figure(path), path))
            continue;
        const Figure figure(path);
        const int distance = DistanceFromStars(PerMilleLeft(figure, figure.Cells()), stage.wantedStars);
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            stage.figure = figure;
            stage.order = path;
        }
    }
    return stage;
}

// From Monday 2027-01-04 on, figures are drawn with care: centred on the
// board, and about half of them symmetric, a mirror image left to right or
// the same after a half turn. This path is frozen as the first is.

const QDate FirstMadeDay(2027, 1, 4);
constexpr std::uint64_t MadeDaySalt = 0x7A756D6972616B32ull;
// A figure is drawn on a square of even side in the board's corner, where
// no cell is its own image, and then centred on the board. The square holds
// about DrawnCellsPerBall cells a ball, so the figure hangs together; after
// every CandidatesPerSide candidates that missed the stars it grows by two
// rows and columns, since a looser figure is more often a hard one.
constexpr int LargestSide = BoardSize - 1;
constexpr int DrawnCellsPerBall = 3;
constexpr int CandidatesPerSide = 24;
// A symmetric figure is rarely very hard: after this many candidates missed
// the stars, the day gives up its symmetry.
constexpr int SymmetricCandidates = MaxCandidates / 2;

int SideFor(int balls, int candidate)
{
    int side = 2;
    while (side * side < DrawnCellsPerBall * balls) side += 2;
    return std::min(LargestSide, side + 2 * (candidate / CandidatesPerSide));
}

enum class Symmetry { None, Mirror, HalfTurn };

// The first draw of a day: two in four days have no symmetry, one a mirror,
// one a half turn.
Symmetry SymmetryOfDraw(int draw) { return draw < 2 ? Symmetry::None : draw == 2 ? Symmetry::Mirror : Symmetry::HalfTurn; }

Cell ImageOf(Cell cell, Symmetry symmetry, int side)
{
    const int last = side - 1;
    if (symmetry == Symmetry::Mirror) return {cell.row, last - cell.column};
    return {last - cell.row, last - cell.column};
}

// Strictly between two cells of one line.
bool Between(Cell cell, Cell from, Cell to)
{
    if (cell.row == from.row && cell.row == to.row)
        return std::min(from.column, to.column) < cell.column && cell.column < std::max(from.column, to.column);
    if (cell.column == from.column && cell.column == to.column)
        return std::min(from.row, to.row) < cell.row && cell.row < std::max(from.row, to.row);
    return false;
}

// A half's path, then its images in the same order.
std::vector<Cell> WithImages(std::vector<Cell> half, Symmetry symmetry, int side)
{
    if (symmetry == Symmetry::None) return half;
    const std::size_t count = half.size();
    for (std::size_t k = 0; k < count; ++k) half.push_back(ImageOf(half[k], symmetry, side));
    return half;
}

// A take path as Walk builds one, on a square of `side` cells. For a
// symmetric figure half the balls are walked, each placing its image at once;
// the images are then taken in the walk's own order, each move the image of a
// move of the walk, so the rules allow it as they allowed the walk. An image
// is a ball not yet taken, so the walk never passes over one, and the cells
// it keeps empty keep their images empty too. The walk's last ball is one
// whose line leads on to the first image: the whole path is replayed through
// the rules to choose it.
std::vector<Cell> MadeWalk(DayRandom& random, int wanted, int farPercent, Symmetry symmetry, int side)
{
    const bool symmetric = symmetry != Symmetry::None;
    const int walked = symmetric ? wanted / 2 : wanted;
    std::bitset<BoardSize * BoardSize> placed;
    std::bitset<BoardSize * BoardSize> images;
    std::bitset<BoardSize * BoardSize> keptEmpty;
    const auto bit = [](Cell cell) { return static_cast<std::size_t>(IndexOf(cell)); };
    const auto inSquare = [side](Cell cell) {
        return cell.row >= 0 && cell.row < side && cell.column >= 0 && cell.column < side;
    };
    std::vector<Cell> path{{random.Below(side), random.Below(side)}};
    placed.set(bit(path.back()));
    if (symmetric) images.set(bit(ImageOf(path.back(), symmetry, side)));
    Direction move = NoDirection;

    struct Option {
        Cell cell;
        Direction move;
    };
    while (static_cast<int>(path.size()) < walked) {
        std::vector<Option> nearest;
        std::vector<Option> far;
        for (const Direction d : {Right, Left, Down, Up}) {
            if (d == WayBack(move)) continue;
            int found = 0;
            for (Cell cell = Beyond(path.back(), d); inSquare(cell) && found < FarOptionsPerLine;
                 cell = Beyond(cell, d)) {
                if (images.test(bit(cell))) break;
                if (placed.test(bit(cell)) || keptEmpty.test(bit(cell))) continue;
                if (symmetric && Between(ImageOf(cell, symmetry, side), path.back(), cell)) continue;
                (found == 0 ? nearest : far).push_back({cell, d});
                ++found;
            }
        }
        if (symmetric && static_cast<int>(path.size()) + 1 == walked) {
            const auto leadsOn = [&](const Option& option) {
                std::vector<Cell> whole = path;
                whole.push_back(option.cell);
                whole = WithImages(whole, symmetry, side);
                return Clears(Figure(whole), whole);
            };
            std::erase_if(nearest, [&](const Option& option) { return !leadsOn(option); });
            std::erase_if(far, [&](const Option& option) { return !leadsOn(option); });
        }
        far.insert(far.end(), nearest.begin(), nearest.end());
        if (far.empty()) break;
        const bool jump = random.Below(100) < farPercent;
        const std::vector<Option>& options = jump || nearest.empty() ? far : nearest;
        const Option chosen = options[static_cast<std::size_t>(random.Below(static_cast<int>(options.size())))];

        for (Cell cell = Beyond(path.back(), chosen.move); cell != chosen.cell; cell = Beyond(cell, chosen.move)) {
            if (placed.test(bit(cell))) continue;
            keptEmpty.set(bit(cell));
            if (symmetric) keptEmpty.set(bit(ImageOf(cell, symmetry, side)));
        }
        placed.set(bit(chosen.cell));
        if (symmetric) images.set(bit(ImageOf(chosen.cell, symmetry, side)));
        path.push_back(chosen.cell);
        move = chosen.move;
    }
    return static_cast<int>(path.size()) == walked ? WithImages(path, symmetry, side) : path;
}

// The path moved so that its figure lies in the middle of the board (the
// rules see only where balls lie from each other, so it clears as before).
std::vector<Cell> Centred(std::vector<Cell> path)
{
    int top = BoardSize, left = BoardSize, bottom = 0, right = 0;
    for (const Cell& cell : path) {
        top = std::min(top, cell.row);
        bottom = std::max(bottom, cell.row);
        left = std::min(left, cell.column);
        right = std::max(right, cell.column);
    }
    const int down = (BoardSize - (bottom - top + 1)) / 2 - top;
    const int across = (BoardSize - (right - left + 1)) / 2 - left;
    for (Cell& cell : path) cell = {cell.row + down, cell.column + across};
    return path;
}

DayFigure MadeFigure(const QDate& date)
{
    DayFigure stage;
    stage.date = date;
    stage.wantedStars = DailyWantedStars(date);
    const int wanted = DailyBalls(date);
    DayRandom random(static_cast<std::uint64_t>(date.toJulianDay()) ^ MadeDaySalt);
    const Symmetry symmetry = SymmetryOfDraw(random.Below(4));

    int bestDistance = -1;
    for (int k = 0; k < MaxCandidates && bestDistance != 0; ++k) {
        std::vector<Cell> path;
        for (int walk = 0; walk < WalksPerCandidate && static_cast<int>(path.size()) < wanted; ++walk)
            path = MadeWalk(random, wanted, FarPercentOfStars[stage.wantedStars],
                            k < SymmetricCandidates ? symmetry : Symmetry::None, SideFor(wanted, k));
        if (static_cast<int>(path.size()) < wanted) continue;
        path = Centred(path);
        const Figure figure(path);
        if (!Clears(figure, path)) continue;
        const int distance = DistanceFromStars(PerMilleLeft(figure, figure.Cells()), stage.wantedStars);
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            stage.figure = figure;
            stage.order = path;
        }
    }
    return stage;
}

} // namespace

DayFigure DailyFigure(const QDate& date)
{
    return date < FirstMadeDay ? FirstFigure(date) : MadeFigure(date);
}

} // namespace Rules
