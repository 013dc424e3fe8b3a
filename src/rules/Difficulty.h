// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"

#include <QString>

// How hard a figure is, measured by play: a player who takes a random first
// ball and then always a random one of the balls the rules allow, again and
// again with one fixed sequence of choices. The measure is the share of the
// balls that such a player leaves on the board, on average: 0 when every such
// play clears the figure, near 1 when they all get stuck at once.
namespace Rules {

// The three difficulties a player asks the generator for.
enum class Difficulty { Easy, Normal, Hard };  // "やさしい", "ふつう", "むずかしい"

QString DifficultyName(Difficulty difficulty);  // the three Japanese words above

// The measure, in thousandths of the balls left (deterministic, the same on
// every machine): what the generator compares and the stars are cut from.
int DifficultyPerMille(const Figure& figure);

// Stars: 1..3 (1 easiest). 0 for a figure that is not clearable.
int DifficultyStars(const Figure& figure);

// The stars for a measure in thousandths, for a figure known to be clearable.
int StarsForPerMille(int perMille);

} // namespace Rules
