// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"

namespace Rules {

// The four directions along the board's lines, in the order the rules search them.
enum Direction { Right, Left, Down, Up, DirectionCount, NoDirection = DirectionCount };

struct Step {
    int rows;
    int columns;
};
inline constexpr Step Steps[DirectionCount] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};

inline Cell Beyond(Cell cell, Direction direction)
{
    return {cell.row + Steps[direction].rows, cell.column + Steps[direction].columns};
}

// The direction of the move from one cell to another. The tests run in this
// order and a later one that holds wins; for a move along a line exactly one holds.
inline Direction MoveDirection(Cell from, Cell to)
{
    Direction direction = NoDirection;
    if (from.row < to.row) direction = Down;
    if (from.row > to.row) direction = Up;
    if (from.column < to.column) direction = Right;
    if (from.column > to.column) direction = Left;
    return direction;
}

// The direction that points back to the previous ball after a move.
inline Direction WayBack(Direction move)
{
    switch (move) {
    case Down: return Up;
    case Up: return Down;
    case Right: return Left;
    case Left: return Right;
    default: return NoDirection;
    }
}

} // namespace Rules
