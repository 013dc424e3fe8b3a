// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Solver.h"

#include "rules/BoardState.h"
#include "rules/Direction.h"
#include "rules/HopelessPositions.h"
#include "rules/LineMasks.h"
#include "rules/Random.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace Rules {

namespace {

constexpr std::size_t PollEvery = 1024;       // positions between looks at `cancel`
constexpr std::size_t ProgressEvery = 1u << 15;  // positions between progress calls
constexpr std::size_t FirstRunPositions = 2048;  // the first run's share; each next run doubles it
constexpr std::uint64_t ShuffleSeed = 0x7A6D72616BULL;

// A position of the search: the board after the take of `last`, with the
// balls still on it as bits and, with the ball in hand, as line masks for the
// quick cuts.
struct Position {
    BoardState board;
    HopelessPositions::Key remaining{};  // bit row * 15 + column; bits 225.. stay free for the key
    LineMasks inPlay;                    // the remaining balls and `last`
    Cell last;
    Direction move = NoDirection;  // the move that led onto `last`; none onto the first take
    int rank = 0;  // the order in which the search tries it, lowest first

    // The next take, after the board took it: `last` leaves play.
    void Take(Cell cell)
    {
        const int index = IndexOf(cell);
        remaining[static_cast<std::size_t>(index / 64)] &= ~(std::uint64_t{1} << (index % 64));
        inPlay.Clear(last);
        move = MoveDirection(last, cell);
        last = cell;
    }

    // Necessary for a clear: the balls in play hang together, and at most one
    // ball left is a dead end (it has to be the final take).
    bool Promising() const
    {
        const int deadEnds = inPlay.DeadEnds(&last);
        return deadEnds >= 0 && deadEnds <= 1 && inPlay.HangTogether();
    }

    // What decides the rest of the game: the balls left, where the last take
    // was and the way it came, which closes the way back if a ball lies there.
    HopelessPositions::Key Key() const
    {
        const bool wayBackClosed = move != NoDirection && inPlay.AnyBall(last, WayBack(move));
        const Direction closed = wayBackClosed ? move : NoDirection;
        HopelessPositions::Key key = remaining;
        key[3] |= (static_cast<std::uint64_t>(IndexOf(last)) | static_cast<std::uint64_t>(closed) << 8) << 40;
        return key;
    }
};

class Search {
public:
    Search(const Figure& figure, const SolverLimits& limits, const std::atomic<bool>* cancel,
           const std::function<void(std::size_t)>& progress)
        : figure_(figure),
          limits_(limits),
          cancel_(cancel),
          progress_(progress),
          frames_(static_cast<std::size_t>(figure.Count()) + 1),
          hopeless_(HopelessBudget(figure, limits))
    {
    }

    SolverResult Run()
    {
        SolverResult result;
        result.verdict = Solve(result.order) ? Verdict::Clearable : stopped_ ? Verdict::Unknown : Verdict::NotClearable;
        if (result.verdict != Verdict::Clearable) result.order.clear();
        result.positions = positions_;
        if (progress_) progress_(positions_);
        return result;
    }

private:
    using Frame = std::array<Position, 4>;

    static std::size_t HopelessBudget(const Figure& figure, const SolverLimits& limits)
    {
        const std::size_t frames = (static_cast<std::size_t>(figure.Count()) + 1) * sizeof(Frame);
        return limits.maxMemoryBytes > frames ? limits.maxMemoryBytes - frames : 0;
    }

    bool Solve(std::vector<Cell>& order)
    {
        if (figure_.Count() == 0 || !CutOffBalls(figure_).empty()) return false;

        Position start;
        start.board = BoardState(figure_);
        for (const Cell ball : figure_.Cells()) {
            const int index = IndexOf(ball);
            start.remaining[static_cast<std::size_t>(index / 64)] |= std::uint64_t{1} << (index % 64);
            start.inPlay.Set(ball);
        }
        // A dead end is the first take or the last: more than two, no clear.
        // (A lone ball has no ball in any direction, and is a clear by itself.)
        const int deadEnds = start.inPlay.DeadEnds(nullptr);
        if ((deadEnds < 0 && figure_.Count() > 1) || deadEnds > 2) return false;

        // Dead ends first: with two of them the path must start at one.
        std::vector<Cell> firsts;
        std::vector<Cell> others;
        for (const Cell ball : figure_.Cells()) {
            (start.inPlay.OpenDirections(ball) == 1 ? firsts : others).push_back(ball);
        }
        if (deadEnds < 2) firsts.insert(firsts.end(), others.begin(), others.end());

        // Runs with a growing share of the positions: a search that went
        // astray early starts afresh, in another order, keeping what it
        // learnt about hopeless positions. Only a run that ends on its own
        // has searched everything.
        for (std::size_t share = FirstRunPositions;; share = std::min(share, limits_.maxPositions / 2) * 2) {
            runEnd_ = share > SIZE_MAX - positions_ ? SIZE_MAX : positions_ + share;
            if (FromFirsts(start, firsts, order)) return true;
            if (stopped_ || positions_ <= runEnd_) return false;
            // Dead ends stay in front; the rest, and the ties later on, are shuffled.
            const auto shuffled = firsts.begin() + (deadEnds < 2 ? deadEnds : 0);
            for (auto k = firsts.end() - shuffled - 1; k > 0; --k)
                std::swap(shuffled[k], shuffled[shuffle_.Below(static_cast<int>(k) + 1)]);
            shuffling_ = true;
        }
    }

    bool FromFirsts(const Position& start, const std::vector<Cell>& firsts, std::vector<Cell>& order)
    {
        for (const Cell first : firsts) {
            Position& here = frames_[0][0];
            here = start;
            order.assign(1, first);
            if (here.board.Click(first) == ClickOutcome::Completed) return true;
            const int index = IndexOf(first);
            here.remaining[static_cast<std::size_t>(index / 64)] &= ~(std::uint64_t{1} << (index % 64));
            here.last = first;
            if (Deeper(here, 1, order)) return true;
            if (Aborted()) return false;
        }
        return false;
    }

    // Searches on from `here`; `order` holds the takes that led to it.
    bool Deeper(const Position& here, std::size_t depth, std::vector<Cell>& order)
    {
        if (!Count()) return false;
        if (!here.Promising()) return false;
        const HopelessPositions::Key key = here.Key();
        if (hopeless_.Contains(key)) return false;

        Frame& next = frames_[depth];
        int count = 0;
        const Targets targets = MarkedTargets(here.board);
        for (int t = 0; t < targets.count; ++t) {
            const Cell target = targets.cells[t];
            Position& child = next[static_cast<std::size_t>(count)];
            child = here;
            if (child.board.Click(target) == ClickOutcome::Completed) {
                order.push_back(target);
                return true;
            }
            child.Take(target);
            const int choices = MarkedTargets(child.board).count;
            if (choices == 0) continue;
            child.rank = (child.inPlay.OpenDirections(target) * 8 + choices) * 4 + (shuffling_ ? shuffle_.Below(4) : 0);
            ++count;
        }
        // The most cornered ball first, and of those the one leaving the
        // fewest choices: a ball about to be cut off is taken while it can be.
        std::array<int, 4> tries{0, 1, 2, 3};
        auto rank = [&](int k) { return next[static_cast<std::size_t>(k)].rank; };
        std::stable_sort(tries.begin(), tries.begin() + count, [&](int a, int b) { return rank(a) < rank(b); });
        for (int k = 0; k < count; ++k) {
            const Position& child = next[static_cast<std::size_t>(tries[static_cast<std::size_t>(k)])];
            order.push_back(child.last);
            if (Deeper(child, depth + 1, order)) return true;
            order.pop_back();
            if (Aborted()) return false;
        }
        hopeless_.Insert(key);
        return false;
    }

    bool Aborted() const { return stopped_ || positions_ > runEnd_; }

    // Counts a position; false when the search must stop.
    bool Count()
    {
        if (stopped_) return false;
        ++positions_;
        if (positions_ > limits_.maxPositions) stopped_ = true;
        if (positions_ > runEnd_) return false;
        if (positions_ % PollEvery == 0 && cancel_ && cancel_->load(std::memory_order_relaxed)) stopped_ = true;
        if (positions_ % ProgressEvery == 0 && progress_) progress_(positions_);
        return !stopped_;
    }

    const Figure& figure_;
    const SolverLimits& limits_;
    const std::atomic<bool>* cancel_;
    const std::function<void(std::size_t)>& progress_;
    std::vector<Frame> frames_;
    HopelessPositions hopeless_;
    std::size_t positions_ = 0;
    bool stopped_ = false;  // at the limit, or cancelled
    std::size_t runEnd_ = 0;
    Random shuffle_{ShuffleSeed};
    bool shuffling_ = false;
};

} // namespace

SolverResult Solve(const Figure& figure, const SolverLimits& limits, const std::atomic<bool>* cancel,
                   const std::function<void(std::size_t)>& progress)
{
    if (cancel && cancel->load()) return {};
    return Search(figure, limits, cancel, progress).Run();
}

} // namespace Rules
