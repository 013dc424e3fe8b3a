// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/FigureHistory.h"

bool FigureHistory::Change(const Rules::Figure& next, bool continuesLast)
{
    if (next == current_)
        return false;
    if (!continuesLast || done_.empty()) {
        done_.push_back(current_);
        // A very long session forgets its oldest steps, not its memory.
        if (done_.size() > MaxSteps)
            done_.erase(done_.begin());
    }
    redone_.clear();
    current_ = next;
    return true;
}

bool FigureHistory::Undo()
{
    if (done_.empty())
        return false;
    redone_.push_back(current_);
    current_ = done_.back();
    done_.pop_back();
    return true;
}

bool FigureHistory::Redo()
{
    if (redone_.empty())
        return false;
    done_.push_back(current_);
    current_ = redone_.back();
    redone_.pop_back();
    return true;
}
