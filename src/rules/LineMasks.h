// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Direction.h"
#include "rules/Figure.h"

#include <array>
#include <bit>
#include <cstdint>
#include <numeric>

namespace Rules {

// The balls of a figure as one bit mask per row (bit = column) and one per
// column (bit = row): which directions from a cell still hold a ball is a
// question of a mask or two.
struct LineMasks {
    std::array<std::uint16_t, BoardSize> rows{};
    std::array<std::uint16_t, BoardSize> columns{};

    void Set(Cell cell)
    {
        rows[static_cast<std::size_t>(cell.row)] |= static_cast<std::uint16_t>(1u << cell.column);
        columns[static_cast<std::size_t>(cell.column)] |= static_cast<std::uint16_t>(1u << cell.row);
    }
    void Clear(Cell cell)
    {
        rows[static_cast<std::size_t>(cell.row)] &= static_cast<std::uint16_t>(~(1u << cell.column));
        columns[static_cast<std::size_t>(cell.column)] &= static_cast<std::uint16_t>(~(1u << cell.row));
    }

    // Whether a ball lies from `cell` in a direction.
    bool AnyBall(Cell cell, Direction direction) const
    {
        const unsigned row = rows[static_cast<std::size_t>(cell.row)];
        const unsigned column = columns[static_cast<std::size_t>(cell.column)];
        switch (direction) {
        case Right: return (row >> (cell.column + 1)) != 0;
        case Left: return (row & ((1u << cell.column) - 1u)) != 0;
        case Down: return (column >> (cell.row + 1)) != 0;
        case Up: return (column & ((1u << cell.row) - 1u)) != 0;
        default: return false;
        }
    }

    // How many of the four directions from `cell` hold a ball.
    int OpenDirections(Cell cell) const
    {
        return AnyBall(cell, Right) + AnyBall(cell, Left) + AnyBall(cell, Down) + AnyBall(cell, Up);
    }

    // Balls with balls in one direction only: they can be entered but never
    // left, since the way back is closed. The ball in hand (may be null) is
    // not counted, but it is a ball the others can be entered from. -1 when a
    // ball has no ball in any direction.
    int DeadEnds(const Cell* inHand) const
    {
        int deadEnds = 0;
        bool stranded = false;
        auto look = [&](Cell ball) {
            if (inHand && inHand->row == ball.row && inHand->column == ball.column) return;
            const int open = OpenDirections(ball);
            stranded = stranded || open == 0;
            deadEnds += open == 1;
        };
        for (int r = 0; r < BoardSize; ++r) {
            const unsigned row = rows[static_cast<std::size_t>(r)];
            if (row == 0) continue;
            // Only the end balls of a row lack a ball on one side along it.
            const int first = std::countr_zero(row);
            const int last = std::bit_width(row) - 1;
            look({r, first});
            if (last != first) look({r, last});
        }
        if (stranded) return -1;
        return deadEnds;
    }

    // Whether the balls share rows and columns, directly or through other balls.
    bool HangTogether() const
    {
        unsigned linedRows = 0;
        for (int r = 0; r < BoardSize; ++r) linedRows |= rows[static_cast<std::size_t>(r)] != 0 ? 1u << r : 0u;
        if (linedRows == 0) return true;
        unsigned reachedRows = linedRows & (0u - linedRows);  // the first row with a ball
        unsigned reachedColumns = 0;
        for (unsigned doneRows = 0, doneColumns = 0; reachedRows != doneRows || reachedColumns != doneColumns;) {
            for (unsigned fresh = reachedRows & ~doneRows; fresh != 0; fresh &= fresh - 1)
                reachedColumns |= rows[static_cast<std::size_t>(std::countr_zero(fresh))];
            doneRows = reachedRows;
            for (unsigned fresh = reachedColumns & ~doneColumns; fresh != 0; fresh &= fresh - 1)
                reachedRows |= columns[static_cast<std::size_t>(std::countr_zero(fresh))];
            doneColumns = reachedColumns;
        }
        return reachedRows == linedRows;
    }
};

// Rows 0..14 and columns 15..29 as the nodes of one union-find: a ball joins
// its row with its column, so balls hang together (share a row or column,
// directly or through other balls) exactly when their rows end up in one set.
class LineGroups {
public:
    LineGroups() { std::iota(parent_.begin(), parent_.end(), 0); }

    int Find(int node)
    {
        while (parent_[static_cast<std::size_t>(node)] != node) {
            auto& up = parent_[static_cast<std::size_t>(node)];
            up = parent_[static_cast<std::size_t>(up)];
            node = up;
        }
        return node;
    }
    void Join(Cell ball) { parent_[static_cast<std::size_t>(Find(ball.row))] = Find(BoardSize + ball.column); }
    int GroupOf(Cell ball) { return Find(ball.row); }

private:
    std::array<int, 2 * BoardSize> parent_{};
};

} // namespace Rules
