// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"

#include <cstddef>
#include <vector>

// The figure being drawn, with every earlier and undone version, so that
// each change can be taken back (Ctrl+Z) and done again (Ctrl+Y). A drag
// across the board is one change however many cells it touches.
class FigureHistory {
public:
    const Rules::Figure& Current() const { return current_; }

    // Makes `next` the figure. A new change forgets what was undone; one that
    // continues the last (the same drag) replaces it instead of adding a step.
    // False when nothing changed.
    bool Change(const Rules::Figure& next, bool continuesLast = false);

    bool Undo();
    bool Redo();
    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !redone_.empty(); }

private:
    bool StepBetween(std::vector<Rules::Figure>& from, std::vector<Rules::Figure>& to);

    static constexpr std::size_t MaxSteps = 1000;

    Rules::Figure current_;
    std::vector<Rules::Figure> done_;    // the figures before each change, oldest first
    std::vector<Rules::Figure> redone_;  // undone figures, the next redo last
    bool lastStepOpen_ = false;          // the last change may still grow (a drag)
};
