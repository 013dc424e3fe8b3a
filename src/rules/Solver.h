// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

namespace Rules {

enum class Verdict { Clearable, NotClearable, Unknown };

// Raised with every change to the search that may change a verdict of
// NotClearable or Unknown: such verdicts kept from another version are not
// believed. (A Clearable verdict carries its order of takes, which proves it.)
inline constexpr int SolverVersion = 1;

struct SolverLimits {
    std::size_t maxPositions = 2'000'000;
    std::size_t maxMemoryBytes = 64u << 20;
    bool operator==(const SolverLimits&) const = default;
};

struct SolverResult {
    Verdict verdict = Verdict::Unknown;
    std::vector<Cell> order;    // with Clearable: every ball once, a take order the rules accept
    std::size_t positions = 0;  // positions searched
};

// Searches a take order for every ball of the figure, playing the move rules
// on boards of its own (safe on any thread). Never a wrong NotClearable: that
// verdict means every first ball was searched to the end. `cancel` (may be
// null) is polled; a cancelled search is Unknown. `progress` (may be empty) is
// called now and then with the positions searched so far. A figure without a
// ball is NotClearable: there is nothing to take.
SolverResult Solve(const Figure& figure, const SolverLimits& limits = {}, const std::atomic<bool>* cancel = nullptr,
                   const std::function<void(std::size_t)>& progress = {});

} // namespace Rules
