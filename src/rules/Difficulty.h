#pragma once
// Temporary stand-in until the rules library lands.
#include "rules/Figure.h"
namespace Rules {
int DifficultyStars(const Figure& figure);
double DifficultyMeasure(const Figure& figure);
} // namespace Rules
