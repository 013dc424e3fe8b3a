#include "rules/Solver.h"

#include "rules/BoardState.h"
#include "rules/HopelessPositions.h"
#include "rules/LineMasks.h"

#include <algorithm>
#include <array>
#include <bit>

namespace Rules {

namespace {

constexpr std::size_t PollEvery = 1024;       // positions between looks at `cancel`
constexpr std::size_t ProgressEvery = 1u << 15;  // positions between progress calls
constexpr int FirstTakeMove = 4;              // no move led onto the first ball

int IndexOf(Cell cell)
{
    return cell.row * BoardSize + cell.column;
}

// The direction of a straight move, 0..3.
int MoveBetween(Cell from, Cell to)
{
    if (to.column > from.column) return 0;
    if (to.column < from.column) return 1;
    if (to.row > from.row) return 2;
    return 3;
}

// A position of the search: the board after the take of `last`, with the
// balls still on it as bits and as line masks for the quick cuts.
struct Position {
    BoardState board;
    HopelessPositions::Key remaining{};  // bit row * 15 + column; bits 225.. stay free for the key
    LineMasks masks;
    Cell last;
    int move = FirstTakeMove;
    int choices = 0;  // targets marked for the next take

    void Take(Cell cell)
    {
        const int index = IndexOf(cell);
        remaining[static_cast<std::size_t>(index / 64)] &= ~(std::uint64_t{1} << (index % 64));
        masks.Clear(cell);
    }

    // What decides the rest of the game: the balls left, where the last take
    // was and the way it came (which closes the way back).
    HopelessPositions::Key Key() const
    {
        HopelessPositions::Key key = remaining;
        key[3] |= (static_cast<std::uint64_t>(IndexOf(last)) | static_cast<std::uint64_t>(move) << 8) << 40;
        return key;
    }
};

template <typename Visit>
void ForEachBall(const HopelessPositions::Key& bits, Visit visit)
{
    for (std::size_t word = 0; word < bits.size(); ++word) {
        for (std::uint64_t rest = bits[word]; rest != 0; rest &= rest - 1) {
            const int index = static_cast<int>(word * 64) + std::countr_zero(rest);
            visit(Cell{index / BoardSize, index % BoardSize});
        }
    }
}

// Balls with balls in one direction only can be entered but never left (the
// way back is closed), so each must be the last take or, before the first
// take, the first one. Counts them among `balls`; -1 when a ball has no ball
// in any direction or the balls do not hang together.
int DeadEnds(const HopelessPositions::Key& balls, LineMasks masks, const Cell* current)
{
    LineGroups groups;
    if (current) {
        masks.Set(*current);  // the ball in hand is a way in for the others
        groups.Join(*current);
    }
    int deadEnds = 0;
    bool apart = false;
    ForEachBall(balls, [&](Cell ball) {
        const int open = masks.OpenDirections(ball);
        if (open == 0) apart = true;
        deadEnds += open == 1;
        groups.Join(ball);
    });
    if (apart) return -1;
    int group = current ? groups.GroupOf(*current) : -1;
    ForEachBall(balls, [&](Cell ball) {
        const int g = groups.GroupOf(ball);
        if (group < 0) group = g;
        apart = apart || g != group;
    });
    return apart ? -1 : deadEnds;
}

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
            start.masks.Set(ball);
        }
        const int deadEnds = DeadEnds(start.remaining, start.masks, nullptr);
        if (deadEnds < 0 || deadEnds > 2) return false;

        // Dead ends first: with two of them the path must start at one.
        std::vector<Cell> firsts;
        std::vector<Cell> others;
        for (const Cell ball : figure_.Cells()) {
            (start.masks.OpenDirections(ball) == 1 ? firsts : others).push_back(ball);
        }
        if (deadEnds < 2) firsts.insert(firsts.end(), others.begin(), others.end());

        for (const Cell first : firsts) {
            Position& here = frames_[0][0];
            here = start;
            order.assign(1, first);
            if (here.board.Click(first) == ClickOutcome::Completed) return true;
            here.Take(first);
            here.last = first;
            here.move = FirstTakeMove;
            if (Deeper(here, 1, order)) return true;
            if (stopped_) return false;
        }
        return false;
    }

    // Searches on from `here`; `order` holds the takes that led to it.
    bool Deeper(const Position& here, std::size_t depth, std::vector<Cell>& order)
    {
        if (!Count()) return false;
        const int deadEnds = DeadEnds(here.remaining, here.masks, &here.last);
        if (deadEnds < 0 || deadEnds > 1) return false;
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
            child.move = MoveBetween(here.last, target);
            child.last = target;
            child.choices = MarkedTargets(child.board).count;
            if (child.choices > 0) ++count;
        }
        // The fewest choices first: a ball about to be cut off is taken while it still can be.
        std::array<int, 4> tries{0, 1, 2, 3};
        std::stable_sort(tries.begin(), tries.begin() + count,
                         [&](int a, int b) { return next[static_cast<std::size_t>(a)].choices < next[static_cast<std::size_t>(b)].choices; });
        for (int k = 0; k < count; ++k) {
            const Position& child = next[static_cast<std::size_t>(tries[static_cast<std::size_t>(k)])];
            order.push_back(child.last);
            if (Deeper(child, depth + 1, order)) return true;
            order.pop_back();
            if (stopped_) return false;
        }
        hopeless_.Insert(key);
        return false;
    }

    // Counts a position; false when the search must stop.
    bool Count()
    {
        if (stopped_) return false;
        ++positions_;
        if (positions_ > limits_.maxPositions) stopped_ = true;
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
    bool stopped_ = false;
};

} // namespace

SolverResult Solve(const Figure& figure, const SolverLimits& limits, const std::atomic<bool>* cancel,
                   const std::function<void(std::size_t)>& progress)
{
    if (cancel && cancel->load()) return {};
    return Search(figure, limits, cancel, progress).Run();
}

} // namespace Rules
