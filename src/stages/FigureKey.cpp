// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/FigureKey.h"

namespace {

constexpr int Cells = Rules::BoardSize * Rules::BoardSize;
constexpr qsizetype PackedBytes = (Cells + 7) / 8;

} // namespace

QByteArray PackedCells(const Rules::Figure& figure)
{
    QByteArray packed(PackedBytes, '\0');
    for (int bit = 0; bit < Cells; ++bit) {
        if (figure.Bits().test(std::size_t(bit)))
            packed[bit / 8] = char(packed[bit / 8] | (1 << (bit % 8)));
    }
    return packed;
}

std::optional<Rules::Figure> FigureOfPackedCells(const QByteArray& packed)
{
    if (packed.size() != PackedBytes)
        return std::nullopt;
    Rules::Figure figure;
    for (int bit = 0; bit < PackedBytes * 8; ++bit) {
        if (!(packed[bit / 8] & (1 << (bit % 8))))
            continue;
        if (bit >= Cells)
            return std::nullopt;
        figure.Set(Rules::CellOf(bit), true);
    }
    return figure;
}
