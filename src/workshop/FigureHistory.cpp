// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/FigureHistory.h"

bool FigureHistory::Change(const Rules::Figure& next, bool continuesLast)
{
    if (next == current_)
        return false;
    // After an undo or a redo the drag still under way starts a new step, so
    // the figure it was undone to stays one undo away.
    if (!continuesLast || !lastStepOpen_) {
        done_.push_back(current_);
        // A very long session forgets its oldest steps, not its memory.
        if (done_.size() > MaxSteps)
            done_.erase(done_.begin());
    }
    redone_.clear();
    current_ = next;
    lastStepOpen_ = true;
    return true;
}

// Undo and redo are the same move between the two stacks, in opposite
// directions: the figure now goes onto one, the figure taken from the other
// becomes the figure now.
bool FigureHistory::StepBetween(std::vector<Rules::Figure>& from, std::vector<Rules::Figure>& to)
{
    if (from.empty())
        return false;
    lastStepOpen_ = false;
    to.push_back(current_);
    current_ = from.back();
    from.pop_back();
    return true;
}

bool FigureHistory::Undo() { return StepBetween(done_, redone_); }

bool FigureHistory::Redo() { return StepBetween(redone_, done_); }
