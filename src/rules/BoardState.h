// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"

#include <cstdint>
#include <vector>

// The board of a stage in play and the move rules on it. The rules work
// through a BoardView, a handful of references to a board and its counters:
// the play window hands a view of its shared board, the solver and the
// generator views of boards of their own (BoardState), so every one of them
// runs the same rules.
namespace Rules {

// Cell codes of a board.
inline constexpr std::int16_t CellEmpty = 0;   // no ball on this cell
inline constexpr std::int16_t CellBall = 1;    // a ball that may not be taken next
inline constexpr std::int16_t CellTarget = 5;  // a ball that may be taken next
inline constexpr std::int16_t CellTaken = 9;   // a taken ball, showing its number

using BoardCells = std::int16_t[BoardSize][BoardSize];  // [row][column]

struct BoardView {
    BoardCells& cells;
    std::int16_t& ballCount;
    std::int16_t& takeCount;
    std::int16_t& lastRow;
    std::int16_t& lastColumn;
    std::int16_t& firstTake;  // 1 while the take being handled is the visit's first
};

// What a click on a ball does to the board.
enum class ClickOutcome {
    Refused,    // not the first take and not a target: nothing changed
    Taken,      // taken, targets marked for the next click
    Completed,  // taken, and it was the last ball: no targets computed
};

// Clears the board and its counters, as a play window's load does.
void ResetBoard(const BoardView& board);

// Puts a ball on the board (CellBall) and counts it into ballCount. A cell
// off the board or already holding a ball adds nothing.
void PlaceBall(const BoardView& board, std::int16_t row, std::int16_t column);

// A click on the ball on (row, column): refuses it, or takes it (takeCount
// goes up by one) and marks the next targets. An empty cell or a cell off the
// board is refused.
ClickOutcome ClickBall(const BoardView& board, std::int16_t row, std::int16_t column);

// Marks the legal next balls after the ball on (row, column) was taken:
// the nearest CellBall in each of the four directions becomes CellTarget,
// the previous take's unchosen targets go back to CellBall, and so does the
// target that lies back the way the player came. Updates lastRow/lastColumn.
// Reads firstTake, which the caller sets before the call.
void MarkTargets(const BoardView& board, std::int16_t row, std::int16_t column);

// The balls that may be taken next after a take that was not the last:
// the marked targets, one at most in each direction from the last take.
struct Targets {
    Cell cells[4];
    int count = 0;
};
struct BoardState;
Targets MarkedTargets(const BoardState& board);

// A board of its own, copyable, for the solver and the generator.
struct BoardState {
    BoardCells cells = {};
    std::int16_t ballCount = 0;
    std::int16_t takeCount = 0;
    std::int16_t lastRow = 0;
    std::int16_t lastColumn = 0;
    std::int16_t firstTake = 0;

    BoardState() = default;
    explicit BoardState(const Figure& figure);  // the figure's balls placed, nothing taken

    BoardView View() { return {cells, ballCount, takeCount, lastRow, lastColumn, firstTake}; }
    ClickOutcome Click(Cell cell);
    std::int16_t At(Cell cell) const { return cells[cell.row][cell.column]; }
};

// True when taking the balls in `order` by the rules clears the figure:
// every ball once, each take allowed (microseconds). The one replay of an
// order of takes: the proofs kept on disk and the generator both rely on it.
bool OrderClears(const Figure& figure, const std::vector<Cell>& order);

} // namespace Rules
