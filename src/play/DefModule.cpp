// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/DefModule.h"

namespace DefModule {

std::int16_t Board[BoardSize][BoardSize] = {};
std::int16_t BallCount = 0;
std::int16_t TakeCount = 0;
std::int16_t LastRow = 0;
std::int16_t LastColumn = 0;
std::int16_t FirstTake = 0;

QString WallpaperPath;
QString BallShape;
QString BackSoundPath;
QString HitSoundPath;
QString NoSoundPath;
QString WinSoundPath;

Rules::BoardView PlayBoard()
{
    return {Board, BallCount, TakeCount, LastRow, LastColumn, FirstTake};
}

void MarkTargets(std::int16_t row, std::int16_t column)
{
    Rules::MarkTargets(PlayBoard(), row, column);
}

} // namespace DefModule
