// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Solver.h"

#include <QByteArray>

#include <atomic>
#include <vector>

// What the solver found for a figure, with what makes it worth believing:
// a clearable figure comes with an order of takes that clears it, which
// anyone can replay by the rules.
struct FigureProof {
    Rules::Verdict verdict = Rules::Verdict::Unknown;
    int stars = 0;                   // 1..3 when clearable, else 0
    std::vector<Rules::Cell> order;  // when clearable: every ball once, in an order the rules accept
    bool operator==(const FigureProof&) const = default;
};

// Proves a figure; safe on any thread. A search stopped through `stop` is Unknown.
FigureProof ProveFigure(const Rules::Figure& figure, const Rules::SolverLimits& limits = {},
                        const std::atomic<bool>* stop = nullptr);

// True when taking the balls in `order` by the rules clears the figure:
// every ball once, each take allowed (microseconds); see Rules::OrderClears.
bool OrderClears(const Rules::Figure& figure, const std::vector<Rules::Cell>& order);

// The stars of a figure known to be clearable.
int StarsOfClearable(const Rules::Figure& figure);

// A short text that changes whenever the stars of some figure would: the
// cut points and the measure of difficulty, taken on a few fixed figures.
// Stars kept under another scale are not believed.
QByteArray StarsScale();
