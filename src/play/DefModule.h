// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/BoardState.h"

#include <QString>

#include <cstdint>

// Game state shared by the windows for the whole run: the board of the stage
// in play with its counters, the player's settings and the four sound paths.
namespace DefModule {

// Cell codes of Board.
using Rules::CellBall;
using Rules::CellEmpty;
using Rules::CellTaken;
using Rules::CellTarget;

using Rules::BoardSize;

// Board(row, column), both 0..14.
extern std::int16_t Board[BoardSize][BoardSize];
extern std::int16_t BallCount;
extern std::int16_t TakeCount;
extern std::int16_t LastRow;
extern std::int16_t LastColumn;
extern std::int16_t FirstTake;  // 1 while the take being handled is the visit's first

// Settings for this run (the main window sets the defaults at load).
extern QString WallpaperPath;
extern QString BallShape;  // "Maru", "Daia", "Sankaku", "Ame" or empty

// Sound files of the four sounds.
extern QString BackSoundPath;
extern QString HitSoundPath;
extern QString NoSoundPath;
extern QString WinSoundPath;

// Board and its counters, as the move rules see them.
Rules::BoardView PlayBoard();

// Rules::MarkTargets on the shared board: marks the legal next balls after the
// ball on (row, column) was taken. Reads FirstTake, which the caller sets first.
void MarkTargets(std::int16_t row, std::int16_t column);

} // namespace DefModule
