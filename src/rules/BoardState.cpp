#include "rules/BoardState.h"

namespace Rules {

namespace {

// The four search directions, in the order they are searched.
enum Direction { Right, Left, Down, Up, DirectionCount, NoDirection = DirectionCount };

struct Step {
    int rows;
    int columns;
};
constexpr Step Steps[DirectionCount] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};

bool OnBoard(int row, int column)
{
    return row >= 0 && row < BoardSize && column >= 0 && column < BoardSize;
}

// The direction of the move from (lastRow, lastColumn) to (row, column).
// The tests run in this order and a later one that holds wins; for a legal
// move exactly one holds.
Direction MoveDirection(const BoardView& board, int row, int column)
{
    Direction direction = NoDirection;
    if (board.lastRow < row) direction = Down;
    if (board.lastRow > row) direction = Up;
    if (board.lastColumn < column) direction = Right;
    if (board.lastColumn > column) direction = Left;
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

struct Found {
    int row = -1;
    int column = -1;
    bool found() const { return row >= 0; }
};

// The nearest ball still on the board (CellBall) from (row, column) in one
// direction. Empty cells, taken balls and targets are looked past.
Found NearestBall(const BoardView& board, int row, int column, Step step)
{
    for (int r = row + step.rows, c = column + step.columns; OnBoard(r, c); r += step.rows, c += step.columns) {
        if (board.cells[r][c] == CellBall) {
            return {r, c};
        }
    }
    return {};
}

} // namespace

void ResetBoard(const BoardView& board)
{
    for (auto& boardRow : board.cells) {
        for (auto& cell : boardRow) {
            cell = CellEmpty;
        }
    }
    board.ballCount = 0;
    board.takeCount = 0;
    board.lastRow = 0;
    board.lastColumn = 0;
    board.firstTake = 0;
}

void PlaceBall(const BoardView& board, std::int16_t row, std::int16_t column)
{
    // A cell off the board or one that already holds a ball adds nothing, so
    // ballCount always equals the number of balls on the board.
    if (!OnBoard(row, column) || board.cells[row][column] != CellEmpty) {
        return;
    }
    board.cells[row][column] = CellBall;
    ++board.ballCount;
}

ClickOutcome ClickBall(const BoardView& board, std::int16_t row, std::int16_t column)
{
    if (!OnBoard(row, column)) {
        return ClickOutcome::Refused;
    }
    std::int16_t& cell = board.cells[row][column];
    // The first take may be any ball still on the board; every later one
    // must be a marked target. Empty and taken cells are never taken.
    const bool firstTake = board.takeCount == 0;
    const bool takeable = firstTake ? (cell == CellBall || cell == CellTarget) : cell == CellTarget;
    if (!takeable) {
        return ClickOutcome::Refused;
    }

    cell = CellTaken;
    ++board.takeCount;
    if (board.takeCount >= board.ballCount) {
        // The last ball: the stage is cleared and no targets are left to mark.
        return ClickOutcome::Completed;
    }
    board.firstTake = board.takeCount == 1 ? 1 : 0;
    MarkTargets(board, row, column);
    return ClickOutcome::Taken;
}

void MarkTargets(const BoardView& board, std::int16_t row, std::int16_t column)
{
    if (!OnBoard(row, column)) {
        return;  // not a cell of the board: nothing to mark from
    }

    const Direction move = board.firstTake == 0 ? MoveDirection(board, row, column) : NoDirection;
    board.lastRow = row;
    board.lastColumn = column;

    // Each target is marked as soon as it is found.
    Found targets[DirectionCount];
    for (int d = 0; d < DirectionCount; ++d) {
        targets[d] = NearestBall(board, row, column, Steps[d]);
        if (targets[d].found()) {
            board.cells[targets[d].row][targets[d].column] = CellTarget;
        }
    }

    // The previous take's targets that were not chosen become plain balls again.
    auto isNewTarget = [&](int r, int c) {
        for (const Found& target : targets) {
            if (target.row == r && target.column == c) return true;
        }
        return false;
    };
    for (int r = 0; r < BoardSize; ++r) {
        for (int c = 0; c < BoardSize; ++c) {
            if (board.cells[r][c] == CellTarget && !isNewTarget(r, c)) {
                board.cells[r][c] = CellBall;
            }
        }
    }

    // No going back the way the player came.
    const Direction back = WayBack(move);
    if (back != NoDirection && targets[back].found()) {
        board.cells[targets[back].row][targets[back].column] = CellBall;
    }
}

BoardState::BoardState(const Figure& figure)
{
    for (const Cell cell : figure.Cells()) {
        PlaceBall(View(), static_cast<std::int16_t>(cell.row), static_cast<std::int16_t>(cell.column));
    }
}

Targets MarkedTargets(const BoardState& board)
{
    Targets targets;
    auto look = [&](int row, int column) {
        if (board.cells[row][column] == CellTarget && targets.count < 4) targets.cells[targets.count++] = {row, column};
    };
    for (int c = 0; c < BoardSize; ++c) look(board.lastRow, c);
    for (int r = 0; r < BoardSize; ++r) {
        if (r != board.lastRow) look(r, board.lastColumn);
    }
    return targets;
}

ClickOutcome BoardState::Click(Cell cell)
{
    if (!Rules::OnBoard(cell)) return ClickOutcome::Refused;
    return ClickBall(View(), static_cast<std::int16_t>(cell.row), static_cast<std::int16_t>(cell.column));
}

} // namespace Rules
