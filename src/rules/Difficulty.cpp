// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Difficulty.h"

#include <QCoreApplication>

#include "rules/BoardState.h"
#include "rules/Random.h"
#include "rules/Solver.h"

namespace Rules {

namespace {

constexpr int Plays = 128;
constexpr std::uint64_t PlaySeed = 0x5A4D1A4Bu;

// Where the stars are cut, in thousandths of the balls left by random play.
constexpr int TwoStarsFrom = 300;
constexpr int ThreeStarsFrom = 420;

} // namespace

QString DifficultyName(Difficulty difficulty)
{
    switch (difficulty) {
    case Difficulty::Easy: return QCoreApplication::translate("Rules", "やさしい");
    case Difficulty::Normal: return QCoreApplication::translate("Rules", "ふつう");
    case Difficulty::Hard: return QCoreApplication::translate("Rules", "むずかしい");
    }
    return {};
}

int DifficultyPerMille(const Figure& figure)
{
    const std::vector<Cell> balls = figure.Cells();
    if (balls.empty()) return 0;
    Random random(PlaySeed);
    const BoardState start(figure);
    long long taken = 0;
    for (int play = 0; play < Plays; ++play) {
        BoardState board = start;
        const int first = random.Below(static_cast<int>(balls.size()));
        ClickOutcome outcome = board.Click(balls[static_cast<std::size_t>(first)]);
        while (outcome == ClickOutcome::Taken) {
            const Targets targets = MarkedTargets(board);
            if (targets.count == 0) break;
            outcome = board.Click(targets.cells[random.Below(targets.count)]);
        }
        taken += board.takeCount;
    }
    const long long all = static_cast<long long>(Plays) * static_cast<long long>(balls.size());
    return static_cast<int>(1000 - taken * 1000 / all);
}

int StarsForPerMille(int perMille)
{
    if (perMille >= ThreeStarsFrom) return 3;
    if (perMille >= TwoStarsFrom) return 2;
    return 1;
}

int DifficultyStars(const Figure& figure)
{
    if (Solve(figure).verdict == Verdict::NotClearable) return 0;
    return StarsForPerMille(DifficultyPerMille(figure));
}

} // namespace Rules
