#pragma once

#include <QString>

#include <cstdint>

// Game state shared by the windows for the whole run: the board of the stage
// in play with its counters, the player's settings and the four sound paths.
namespace DefModule {

// Cell codes of Board.
inline constexpr std::int16_t CellEmpty = 0;   // no ball on this cell
inline constexpr std::int16_t CellBall = 1;    // a ball that may not be taken next
inline constexpr std::int16_t CellTarget = 5;  // a ball that may be taken next
inline constexpr std::int16_t CellTaken = 9;   // a taken ball, showing its number

inline constexpr int BoardSize = 15;

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

// Marks the legal next balls after the ball on (row, column) was taken:
// the nearest CellBall in each of the four directions becomes CellTarget,
// the previous take's unchosen targets go back to CellBall, and so does the
// target that lies back the way the player came. Updates LastRow/LastColumn.
// Reads FirstTake, which the caller sets before the call.
void MarkTargets(std::int16_t row, std::int16_t column);

} // namespace DefModule
