#pragma once

#include "rules/Figure.h"

#include <array>
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

    // How many of the four directions from `cell` hold a ball.
    int OpenDirections(Cell cell) const
    {
        const unsigned row = rows[static_cast<std::size_t>(cell.row)];
        const unsigned column = columns[static_cast<std::size_t>(cell.column)];
        const unsigned left = row & ((1u << cell.column) - 1u);
        const unsigned right = row >> (cell.column + 1);
        const unsigned up = column & ((1u << cell.row) - 1u);
        const unsigned down = column >> (cell.row + 1);
        return (left != 0) + (right != 0) + (up != 0) + (down != 0);
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
