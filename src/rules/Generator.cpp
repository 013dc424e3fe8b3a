// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Generator.h"

#include "rules/BoardState.h"
#include "rules/Difficulty.h"
#include "rules/Direction.h"
#include "rules/Random.h"
#include "rules/Solver.h"

#include <QCoreApplication>

#include <algorithm>
#include <bitset>
#include <cstdlib>

namespace Rules {

namespace {

// Several figures are drawn for one stage and measured; the difficulty picks
// the easiest, the middle or the hardest of them.
constexpr int Candidates = 5;
constexpr int WalksPerCandidate = 48;
constexpr int FarOptionsPerLine = 3;  // how far past the nearest free cell a walk may jump
// When none of the first candidates has the stars asked for, more are drawn,
// each walked in the way that tends towards those stars: up to about this
// many balls' worth (160 candidates of 30 balls, 32 of 150), so a large
// stage never takes long; and no more once this many in a row came no
// nearer (at that size the stars are out of reach: a large figure is never hard).
constexpr int MoreCandidateBalls = 4800;
constexpr int MaxMoreCandidates = 160;
constexpr int MinMoreCandidates = 24;
constexpr int MoreWithoutGain = 32;
// A take path built one ball at a time, each new ball in a straight line from
// the last one and never the way back. Between the two, the cells still free
// must stay empty for good (a ball placed there later would be in the way),
// and the new ball may not sit on such a cell. Balls already placed may lie
// between: they are taken by then, and the rules look past taken balls.
// So the path replays through the rules as it was built.
// `farPercent` is the chance of a jump past the nearest free cell of a line.
std::vector<Cell> Walk(Random& random, int wanted, int farPercent)
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
        std::vector<Option> all;
        for (const Direction d : {Right, Left, Down, Up}) {
            if (d == WayBack(move)) continue;
            int found = 0;
            for (Cell cell = Beyond(path.back(), d); OnBoard(cell) && found < FarOptionsPerLine;
                 cell = Beyond(cell, d)) {
                const auto index = static_cast<std::size_t>(IndexOf(cell));
                if (placed.test(index) || keptEmpty.test(index)) continue;
                (found == 0 ? nearest : all).push_back({cell, d});
                ++found;
            }
        }
        all.insert(all.end(), nearest.begin(), nearest.end());
        if (all.empty()) break;
        const bool far = random.Below(100) < farPercent;
        const std::vector<Option>& options = far || nearest.empty() ? all : nearest;
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

// A path through the whole board, row by row, turning at the ends, in one of
// the board's eight orientations: the walk of last resort for many balls.
std::vector<Cell> Snake(Random& random, int wanted)
{
    const int orientation = random.Below(8);
    std::vector<Cell> path;
    for (int a = 0; a < BoardSize && static_cast<int>(path.size()) < wanted; ++a) {
        for (int k = 0; k < BoardSize && static_cast<int>(path.size()) < wanted; ++k) {
            const int b = a % 2 == 0 ? k : BoardSize - 1 - k;
            Cell cell = (orientation & 1) ? Cell{b, a} : Cell{a, b};
            if (orientation & 2) cell.row = BoardSize - 1 - cell.row;
            if (orientation & 4) cell.column = BoardSize - 1 - cell.column;
            path.push_back(cell);
        }
    }
    return path;
}

// One figure of `wanted` balls: the first walk long enough, cut to length (a
// first part of a take path is a take path), else a snake.
std::vector<Cell> Candidate(Random& random, int wanted, int farPercent)
{
    for (int attempt = 0; attempt < WalksPerCandidate; ++attempt) {
        std::vector<Cell> path = Walk(random, wanted, farPercent);
        if (static_cast<int>(path.size()) >= wanted) return path;
    }
    return Snake(random, wanted);
}

int StarsAskedFor(Difficulty difficulty)
{
    return difficulty == Difficulty::Easy ? 1 : difficulty == Difficulty::Normal ? 2 : 3;
}

// How often the k-th extra candidate's walk jumps past the nearest free
// cell. Measured: few jumps give the easiest small figures, and the
// hardest large ones too (long dense runs where random play gets stuck);
// many jumps the hardest small ones. So hard figures try both in turn.
int FarPercentFor(Difficulty difficulty, int k)
{
    switch (difficulty) {
    case Difficulty::Easy: return 0;
    case Difficulty::Normal: return 50;
    case Difficulty::Hard: return k % 2 == 0 ? 0 : 100;
    }
    return 0;
}

// How far a measure is from the stars asked for: 0 when it has them, else
// whole stars first, then the thousandths towards them.
int Miss(int perMille, int stars)
{
    const int shown = StarsForPerMille(perMille);
    if (shown == stars)
        return 0;
    return std::abs(shown - stars) * 1000 + (shown < stars ? 1000 - perMille : perMille);
}

} // namespace

GeneratedStage Generate(int balls, Difficulty difficulty, std::uint64_t seed)
{
    const int wanted = std::clamp(balls, 2, BoardSize * BoardSize);
    Random random(seed ^ (static_cast<std::uint64_t>(wanted) * 0xD1B54A32D192ED03ull));

    struct Drawn {
        std::vector<Cell> order;
        Figure figure;
        int perMille = 0;
    };
    std::vector<Drawn> drawn;
    for (int k = 0; k < Candidates; ++k) {
        Drawn candidate;
        candidate.order = Candidate(random, wanted, k * 100 / (Candidates - 1));
        candidate.order.resize(static_cast<std::size_t>(wanted));
        candidate.figure = Figure(candidate.order);
        candidate.perMille = DifficultyPerMille(candidate.figure);
        drawn.push_back(std::move(candidate));
    }
    std::stable_sort(drawn.begin(), drawn.end(),
                     [](const Drawn& a, const Drawn& b) { return a.perMille < b.perMille; });
    const std::size_t pick = difficulty == Difficulty::Easy   ? 0
                             : difficulty == Difficulty::Hard ? drawn.size() - 1
                                                              : drawn.size() / 2;

    // The stars the game will show must be those asked for: when the pick
    // has others, more candidates are drawn until one has them, or the
    // bound is reached (a size where the stars cannot be had, such as a full
    // board): then the nearest.
    const int stars = StarsAskedFor(difficulty);
    Drawn chosen = drawn[pick];
    int miss = Miss(chosen.perMille, stars);
    const int moreCandidates = std::clamp(MoreCandidateBalls / wanted, MinMoreCandidates, MaxMoreCandidates);
    for (int k = 0, sinceGain = 0; k < moreCandidates && miss > 0 && sinceGain < MoreWithoutGain; ++k, ++sinceGain) {
        Drawn candidate;
        candidate.order = Candidate(random, wanted, FarPercentFor(difficulty, k));
        candidate.order.resize(static_cast<std::size_t>(wanted));
        candidate.figure = Figure(candidate.order);
        candidate.perMille = DifficultyPerMille(candidate.figure);
        if (const int candidateMiss = Miss(candidate.perMille, stars); candidateMiss < miss) {
            miss = candidateMiss;
            chosen = std::move(candidate);
            sinceGain = -1;
        }
    }

    GeneratedStage stage;
    stage.figure = chosen.figure;
    stage.order = chosen.order;
    // The proof: the solver's verdict, or, where it gives up within its
    // bound, the built order replayed through the rules.
    const SolverResult proof = Solve(stage.figure);
    if (proof.verdict != Verdict::Clearable && !OrderClears(stage.figure, stage.order)) {
        stage.order = Snake(random, wanted);
        stage.figure = Figure(stage.order);
    }
    stage.stars = StarsForPerMille(DifficultyPerMille(stage.figure));
    stage.title = QCoreApplication::translate("Rules", "おまかせ・%1・%2").arg(DifficultyName(difficulty)).arg(seed);
    return stage;
}

} // namespace Rules
