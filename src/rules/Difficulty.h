// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"

// How hard a figure is, measured by play: a player who takes a random first
// ball and then always a random one of the balls the rules allow, again and
// again with one fixed sequence of choices. The measure is the share of the
// balls that such a player leaves on the board, on average: 0 when every such
// play clears the figure, near 1 when they all get stuck at once.
namespace Rules {

// One measured number per figure (deterministic, same on every machine).
// Stars: 1..3 (1 easiest). 0 for a figure that is not clearable.
int DifficultyStars(const Figure& figure);
double DifficultyMeasure(const Figure& figure);  // the raw measure the stars come from

// The measure in thousandths, as a whole number: what the generator compares.
int DifficultyPerMille(const Figure& figure);

// The stars for a measure in thousandths, for a figure known to be clearable.
int StarsForPerMille(int perMille);

} // namespace Rules
