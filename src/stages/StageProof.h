// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Solver.h"

#include <QString>

// Whether a figure can be played to its clear, proven by the solver within
// its limits. A proof that hits a limit counts as no proof: such a stage is
// refused like one that cannot be cleared.
struct StageProof {
    Rules::SolverResult result;
    QString reason;        // empty when proven clearable; else why not, for the player
    QString reasonForLog;  // the same in English
    bool ok() const { return reason.isEmpty(); }
};

StageProof ProveStage(const Rules::Figure& figure, const Rules::SolverLimits& limits = {});
