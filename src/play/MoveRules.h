// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/BoardState.h"

#include <cstdint>

// The move rules (rules/BoardState.h) on the play window's shared board
// (DefModule state). The play window carries out the rest: sounds, caption,
// clock and the clear.
using Rules::ClickOutcome;

// Clears the board and counters as a play window's load does.
void ResetBoard();

// Puts a ball of the layout on the board (CellBall) and counts it into
// BallCount. A cell off the board or already holding a ball adds nothing.
void PlaceBall(std::int16_t row, std::int16_t column);

// A click on the ball on (row, column): refuses it, or takes it (TakeCount
// goes up by one; the caller shows it as the ball's caption) and marks the
// next targets. An empty cell or a cell off the board is refused.
ClickOutcome ClickBall(std::int16_t row, std::int16_t column);
