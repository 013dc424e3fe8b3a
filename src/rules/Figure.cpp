// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Figure.h"

#include "rules/Direction.h"
#include "rules/LineMasks.h"

#include <array>
#include <utility>

namespace Rules {

Figure::Figure(const std::vector<Cell>& cells)
{
    for (const Cell cell : cells) Set(cell, true);
}

bool Figure::Has(Cell cell) const
{
    return OnBoard(cell) && bits_.test(static_cast<std::size_t>(IndexOf(cell)));
}

void Figure::Set(Cell cell, bool ball)
{
    if (OnBoard(cell)) bits_.set(static_cast<std::size_t>(IndexOf(cell)), ball);
}

int Figure::Count() const
{
    return static_cast<int>(bits_.count());
}

std::vector<Cell> Figure::Cells() const
{
    std::vector<Cell> cells;
    cells.reserve(bits_.count());
    for (int index = 0; index < BoardSize * BoardSize; ++index) {
        if (bits_.test(static_cast<std::size_t>(index))) cells.push_back(CellOf(index));
    }
    return cells;
}

const std::bitset<BoardSize * BoardSize>& Figure::Bits() const
{
    return bits_;
}

std::vector<Cell> CutOffBalls(const Figure& figure)
{
    const std::vector<Cell> balls = figure.Cells();
    LineGroups groups;
    for (const Cell ball : balls) groups.Join(ball);

    std::array<int, 2 * BoardSize> sizes{};
    for (const Cell ball : balls) ++sizes[static_cast<std::size_t>(groups.GroupOf(ball))];
    // Balls come in row order, so the first group to reach the largest size
    // while scanning them is the one holding the earliest first cell.
    int main = -1;
    for (const Cell ball : balls) {
        const int group = groups.GroupOf(ball);
        if (main < 0 || sizes[static_cast<std::size_t>(group)] > sizes[static_cast<std::size_t>(main)]) main = group;
    }
    std::vector<Cell> cutOff;
    for (const Cell ball : balls) {
        if (groups.GroupOf(ball) != main) cutOff.push_back(ball);
    }
    return cutOff;
}

std::vector<Cell> DeadEndBalls(const Figure& figure)
{
    std::vector<Cell> deadEnds;
    for (const Cell ball : figure.Cells()) {
        int ways = 0;
        for (const auto& [rows, columns] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
            Cell next{ball.row + rows, ball.column + columns};
            while (OnBoard(next) && !figure.Has(next)) next = {next.row + rows, next.column + columns};
            if (OnBoard(next)) ++ways;
        }
        if (ways == 1) deadEnds.push_back(ball);
    }
    return deadEnds;
}

} // namespace Rules
