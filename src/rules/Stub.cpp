// Temporary stand-in until the rules library lands.
#include "rules/Difficulty.h"
#include "rules/Generator.h"
#include "rules/Solver.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_set>

namespace Rules {
namespace {
enum : char { Empty = 0, Ball = 1, Target = 5, Taken = 9 };
struct State {
    std::array<char, 225> b{};
    int taken = 0, balls = 0, lastR = 0, lastC = 0;
};
bool Click(State& s, int r, int c)
{
    char& cell = s.b[static_cast<std::size_t>(r * 15 + c)];
    const bool first = s.taken == 0;
    if (!(first ? (cell == Ball || cell == Target) : cell == Target))
        return false;
    cell = Taken;
    ++s.taken;
    if (s.taken >= s.balls)
        return true;
    int move = -1;
    if (!first) {
        if (s.lastR < r) move = 1;
        if (s.lastR > r) move = 0;
        if (s.lastC < c) move = 3;
        if (s.lastC > c) move = 2;
    }
    s.lastR = r;
    s.lastC = c;
    const int dr[4] = {-1, 1, 0, 0}, dc[4] = {0, 0, -1, 1};
    int tr[4], tc[4];
    for (int d = 0; d < 4; ++d) {
        tr[d] = -1;
        for (int rr = r + dr[d], cc = c + dc[d]; rr >= 0 && rr < 15 && cc >= 0 && cc < 15; rr += dr[d], cc += dc[d])
            if (s.b[static_cast<std::size_t>(rr * 15 + cc)] == Ball) {
                tr[d] = rr;
                tc[d] = cc;
                s.b[static_cast<std::size_t>(rr * 15 + cc)] = Target;
                break;
            }
    }
    for (int i = 0; i < 225; ++i) {
        if (s.b[static_cast<std::size_t>(i)] != Target) continue;
        bool fresh = false;
        for (int d = 0; d < 4; ++d) fresh |= tr[d] >= 0 && tr[d] * 15 + tc[d] == i;
        if (!fresh) s.b[static_cast<std::size_t>(i)] = Ball;
    }
    const int back[4] = {1, 0, 3, 2};
    if (move >= 0 && tr[back[move]] >= 0)
        s.b[static_cast<std::size_t>(tr[back[move]] * 15 + tc[back[move]])] = Ball;
    return true;
}
struct Search {
    std::vector<Cell> cells;
    std::unordered_set<std::string> seen;
    std::size_t limit;
    bool gaveUp = false;
    std::vector<Cell> order;
    bool Run(const State& s)
    {
        if (s.taken == s.balls) return true;
        std::string key(s.b.begin(), s.b.end());
        key += char(s.lastR);
        key += char(s.lastC);
        if (seen.size() >= limit) { gaveUp = true; return false; }
        if (!seen.insert(key).second) return false;
        for (const Cell& c : cells) {
            State t = s;
            if (!Click(t, c.row, c.column)) continue;
            order.push_back(c);
            if (Run(t)) return true;
            order.pop_back();
        }
        return false;
    }
};
} // namespace

SolverResult Solve(const Figure& figure, const SolverLimits& limits, const std::atomic<bool>*,
                   const std::function<void(std::size_t)>&)
{
    Search search{figure.Cells(), {}, limits.maxPositions, false, {}};
    State s;
    for (const Cell& c : search.cells) s.b[static_cast<std::size_t>(c.row * 15 + c.column)] = Ball;
    s.balls = figure.Count();
    SolverResult result;
    if (s.balls == 0) { result.verdict = Verdict::NotClearable; return result; }
    const bool found = search.Run(s);
    result.positions = search.seen.size();
    result.verdict = found ? Verdict::Clearable : search.gaveUp ? Verdict::Unknown : Verdict::NotClearable;
    if (found) result.order = search.order;
    return result;
}
double DifficultyMeasure(const Figure& figure) { return figure.Count(); }
int DifficultyStars(const Figure& figure)
{
    if (Solve(figure).verdict != Verdict::Clearable) return 0;
    return figure.Count() < 10 ? 1 : figure.Count() < 20 ? 2 : 3;
}
GeneratedStage Generate(int balls, Difficulty, std::uint64_t seed)
{
    balls = std::clamp(balls, 2, 15);
    GeneratedStage stage;
    for (int c = 0; c < balls; ++c) stage.figure.Set({static_cast<int>(seed % 15), c}, true);
    stage.title = QStringLiteral("一列%1").arg(balls);
    stage.order = stage.figure.Cells();
    return stage;
}
QString DifficultyName(Difficulty d)
{
    switch (d) {
    case Difficulty::Easy: return QStringLiteral("やさしい");
    case Difficulty::Normal: return QStringLiteral("ふつう");
    case Difficulty::Hard: return QStringLiteral("むずかしい");
    }
    return {};
}
} // namespace Rules
