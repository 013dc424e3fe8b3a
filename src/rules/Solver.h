#pragma once
// Temporary stand-in until the rules library lands.
#include "rules/Figure.h"

#include <atomic>
#include <cstddef>
#include <functional>

namespace Rules {
enum class Verdict { Clearable, NotClearable, Unknown };
struct SolverLimits {
    std::size_t maxPositions = 2'000'000;
    std::size_t maxMemoryBytes = 64u << 20;
};
struct SolverResult {
    Verdict verdict = Verdict::Unknown;
    std::vector<Cell> order;
    std::size_t positions = 0;
};
SolverResult Solve(const Figure& figure, const SolverLimits& limits = {}, const std::atomic<bool>* cancel = nullptr,
                   const std::function<void(std::size_t)>& progress = {});
} // namespace Rules
