// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Difficulty.h"
#include "rules/Figure.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace Rules {

struct GeneratedStage {
    Figure figure;
    QString title;  // in the interface's language; cut to a stage title's length before use (CutTitle)
    std::vector<Cell> order;  // a take order that clears the figure
    int stars = 0;            // as the game shows them (DifficultyStars)
};

// Clearable by construction and proven by Solve before it is returned. Same (balls, difficulty,
// seed) -> same figure and title on every machine. balls clamped to 2..225.
// The stars are those of the difficulty (1 easy, 2 normal, 3 hard) unless no
// figure of that many balls found within a bound has them (few balls cannot
// be hard, a nearly full board cannot be easy): then the nearest found.
GeneratedStage Generate(int balls, Difficulty difficulty, std::uint64_t seed);

} // namespace Rules
