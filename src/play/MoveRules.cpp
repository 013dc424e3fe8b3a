// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/MoveRules.h"

#include "play/DefModule.h"

void ResetBoard()
{
    Rules::ResetBoard(DefModule::PlayBoard());
}

void PlaceBall(std::int16_t row, std::int16_t column)
{
    Rules::PlaceBall(DefModule::PlayBoard(), row, column);
}

ClickOutcome ClickBall(std::int16_t row, std::int16_t column)
{
    return Rules::ClickBall(DefModule::PlayBoard(), row, column);
}
