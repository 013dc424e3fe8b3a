// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/BoardState.h"

#include "rules/Direction.h"

namespace Rules {

namespace {

bool OnBoard(int row, int column)
{
    return row >= 0 && row < BoardSize && column >= 0 && column < BoardSize;
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

    const Direction move =
        board.firstTake == 0 ? MoveDirection({board.lastRow, board.lastColumn}, {row, column}) : NoDirection;
    board.lastRow = row;
    board.lastColumn = column;

    // The four searches run along different lines, so none of them meets a
    // target another one marks: find all four, then mark them.
    Found targets[DirectionCount];
    for (int d = 0; d < DirectionCount; ++d) {
        targets[d] = NearestBall(board, row, column, Steps[d]);
    }

    // The previous take's targets that were not chosen become plain balls
    // again (a new target was a plain ball until now, never a target).
    // In blocks of eight cells, which the compiler does a block at a time
    // (the solver spends most of its time here), then the cell left over.
    constexpr int AllCells = BoardSize * BoardSize;
    constexpr int BlockedCells = AllCells / 8 * 8;
    std::int16_t* cells = &board.cells[0][0];
    for (int k = 0; k < BlockedCells; ++k) {
        cells[k] = cells[k] == CellTarget ? CellBall : cells[k];
    }
    for (int k = BlockedCells; k < AllCells; ++k) {
        cells[k] = cells[k] == CellTarget ? CellBall : cells[k];
    }
    for (const Found& target : targets) {
        if (target.found()) board.cells[target.row][target.column] = CellTarget;
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

bool OrderClears(const Figure& figure, const std::vector<Cell>& order)
{
    if (order.empty() || static_cast<int>(order.size()) != figure.Count()) return false;
    BoardState board(figure);
    for (std::size_t take = 0; take < order.size(); ++take) {
        const ClickOutcome outcome = board.Click(order[take]);
        if (outcome != (take + 1 == order.size() ? ClickOutcome::Completed : ClickOutcome::Taken)) return false;
    }
    return true;
}

} // namespace Rules
