#pragma once
// Temporary stand-in until the rules library lands.
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
class Figure {
public:
    Figure() = default;
    explicit Figure(const std::vector<Cell>& cells)
    {
        for (const Cell& c : cells)
            Set(c, true);
    }
    bool Has(Cell cell) const { return On(cell) && bits_.test(Index(cell)); }
    void Set(Cell cell, bool ball)
    {
        if (On(cell))
            bits_.set(Index(cell), ball);
    }
    int Count() const { return static_cast<int>(bits_.count()); }
    std::vector<Cell> Cells() const
    {
        std::vector<Cell> cells;
        for (int r = 0; r < BoardSize; ++r)
            for (int c = 0; c < BoardSize; ++c)
                if (Has({r, c}))
                    cells.push_back({r, c});
        return cells;
    }
    bool operator==(const Figure&) const = default;
    const std::bitset<BoardSize * BoardSize>& Bits() const { return bits_; }

private:
    static bool On(Cell c) { return c.row >= 0 && c.row < BoardSize && c.column >= 0 && c.column < BoardSize; }
    static std::size_t Index(Cell c) { return static_cast<std::size_t>(c.row * BoardSize + c.column); }
    std::bitset<BoardSize * BoardSize> bits_;
};
} // namespace Rules
