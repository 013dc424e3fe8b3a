// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bitset>
#include <compare>
#include <vector>

namespace Rules {

inline constexpr int BoardSize = 15;

struct Cell {
    int row = 0;
    int column = 0;
    auto operator<=>(const Cell&) const = default;
};

// Row-major index of a cell of the board, 0..224: the one numbering of the
// cells (a figure's bits, the solver's keys, stage codes, the workshop's board).
inline constexpr int IndexOf(Cell cell)
{
    return cell.row * BoardSize + cell.column;
}

// The cell of an index from IndexOf.
inline constexpr Cell CellOf(int index)
{
    return {index / BoardSize, index % BoardSize};
}

inline bool OnBoard(Cell cell)
{
    return cell.row >= 0 && cell.row < BoardSize && cell.column >= 0 && cell.column < BoardSize;
}

// The set of cells holding a ball (15 x 15 board).
class Figure {
public:
    Figure() = default;
    explicit Figure(const std::vector<Cell>& cells);  // cells off the board are ignored
    bool Has(Cell cell) const;                         // false off the board
    void Set(Cell cell, bool ball);                    // no-op off the board
    int Count() const;
    std::vector<Cell> Cells() const;                   // row by row, left to right
    bool operator==(const Figure&) const = default;
    const std::bitset<BoardSize * BoardSize>& Bits() const;

private:
    std::bitset<BoardSize * BoardSize> bits_;
};

// Balls that share no row or column, directly or through other balls, with the largest group:
// the balls that are cut off (empty when the figure hangs together). Ties: the group holding
// the first cell in row order is the main one.
std::vector<Cell> CutOffBalls(const Figure& figure);

// Balls with another ball in only one of the four directions. Such a ball is
// a dead end: a take that reaches it cannot leave it (the way back is closed),
// so it can only be taken first or last, and a figure with more than two
// cannot be cleared.
std::vector<Cell> DeadEndBalls(const Figure& figure);

} // namespace Rules
