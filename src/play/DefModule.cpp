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

namespace {

// The four search directions, in the order they are searched.
enum Direction { Right, Left, Down, Up, DirectionCount, NoDirection = DirectionCount };

struct Step {
    int rows;
    int columns;
};
constexpr Step Steps[DirectionCount] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};

// The direction of the move from (LastRow, LastColumn) to (row, column).
// The tests run in this order and a later one that holds wins; for a legal
// move exactly one holds.
Direction MoveDirection(int row, int column)
{
    Direction direction = NoDirection;
    if (LastRow < row) direction = Down;
    if (LastRow > row) direction = Up;
    if (LastColumn < column) direction = Right;
    if (LastColumn > column) direction = Left;
    return direction;
}

// The direction that points back to the previous ball after a move.
Direction WayBack(Direction move)
{
    switch (move) {
    case Down: return Up;
    case Up: return Down;
    case Right: return Left;
    case Left: return Right;
    default: return NoDirection;
    }
}

struct Cell {
    int row = -1;
    int column = -1;
    bool found() const { return row >= 0; }
};

// The nearest ball still on the board (CellBall) from (row, column) in one
// direction. Empty cells, taken balls and targets are looked past.
Cell NearestBall(int row, int column, Step step)
{
    for (int r = row + step.rows, c = column + step.columns;
         r >= 0 && r < BoardSize && c >= 0 && c < BoardSize; r += step.rows, c += step.columns) {
        if (Board[r][c] == CellBall) {
            return {r, c};
        }
    }
    return {};
}

} // namespace

void MarkTargets(std::int16_t row, std::int16_t column)
{
    if (row < 0 || row >= BoardSize || column < 0 || column >= BoardSize) {
        return;  // not a cell of the board: nothing to mark from
    }

    const Direction move = FirstTake == 0 ? MoveDirection(row, column) : NoDirection;
    LastRow = row;
    LastColumn = column;

    // Each target is marked as soon as it is found.
    Cell targets[DirectionCount];
    for (int d = 0; d < DirectionCount; ++d) {
        targets[d] = NearestBall(row, column, Steps[d]);
        if (targets[d].found()) {
            Board[targets[d].row][targets[d].column] = CellTarget;
        }
    }

    // The previous take's targets that were not chosen become plain balls again.
    auto isNewTarget = [&](int r, int c) {
        for (const Cell& target : targets) {
            if (target.row == r && target.column == c) return true;
        }
        return false;
    };
    for (int r = 0; r < BoardSize; ++r) {
        for (int c = 0; c < BoardSize; ++c) {
            if (Board[r][c] == CellTarget && !isNewTarget(r, c)) {
                Board[r][c] = CellBall;
            }
        }
    }

    // No going back the way the player came.
    const Direction back = WayBack(move);
    if (back != NoDirection && targets[back].found()) {
        Board[targets[back].row][targets[back].column] = CellBall;
    }
}

} // namespace DefModule
