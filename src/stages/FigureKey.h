// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"

#include <QByteArray>

#include <optional>

// A figure's cells as bytes: bit IndexOf(cell) of the board is bit
// (index % 8) of byte index / 8, every cell of the board included. What
// the proofs and the record keys are made of.
QByteArray PackedCells(const Rules::Figure& figure);

// The figure of packed cells; nullopt unless `packed` is exactly as long as
// PackedCells makes it, with no bit beyond the board.
std::optional<Rules::Figure> FigureOfPackedCells(const QByteArray& packed);
