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
    QString title;
    std::vector<Cell> order;  // a take order that clears the figure
};

// Clearable by construction and proven by Solve before it is returned. Same (balls, difficulty,
// seed) -> same figure and title on every machine. balls clamped to 2..225.
GeneratedStage Generate(int balls, Difficulty difficulty, std::uint64_t seed);

} // namespace Rules
