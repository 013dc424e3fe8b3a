#include "play/MoveRules.h"

#include "play/DefModule.h"

using namespace DefModule;

namespace {

bool OnBoard(std::int16_t row, std::int16_t column)
{
    return row >= 0 && row < BoardSize && column >= 0 && column < BoardSize;
}

} // namespace

void ResetBoard()
{
    for (auto& boardRow : Board) {
        for (auto& cell : boardRow) {
            cell = CellEmpty;
        }
    }
    BallCount = 0;
    TakeCount = 0;
    LastRow = 0;
    LastColumn = 0;
    FirstTake = 0;
}

void PlaceBall(std::int16_t row, std::int16_t column)
{
    // A cell off the board or one that already holds a ball adds nothing, so
    // BallCount always equals the number of balls on the board.
    if (!OnBoard(row, column) || Board[row][column] != CellEmpty) {
        return;
    }
    Board[row][column] = CellBall;
    ++BallCount;
}

ClickOutcome ClickBall(std::int16_t row, std::int16_t column)
{
    if (!OnBoard(row, column)) {
        return ClickOutcome::Refused;
    }
    std::int16_t& cell = Board[row][column];
    // The first take may be any ball still on the board; every later one
    // must be a marked target. Empty and taken cells are never taken.
    const bool firstTake = TakeCount == 0;
    const bool takeable = firstTake ? (cell == CellBall || cell == CellTarget) : cell == CellTarget;
    if (!takeable) {
        return ClickOutcome::Refused;
    }

    cell = CellTaken;
    ++TakeCount;
    if (TakeCount >= BallCount) {
        // The last ball: the stage is cleared and no targets are left to mark.
        return ClickOutcome::Completed;
    }
    FirstTake = TakeCount == 1 ? 1 : 0;
    MarkTargets(row, column);
    return ClickOutcome::Taken;
}
