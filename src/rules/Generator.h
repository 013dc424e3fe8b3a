#pragma once
// Temporary stand-in until the rules library lands.
#include "rules/Figure.h"

#include <QString>

#include <cstdint>

namespace Rules {
enum class Difficulty { Easy, Normal, Hard };
struct GeneratedStage {
    Figure figure;
    QString title;
    std::vector<Cell> order;
};
GeneratedStage Generate(int balls, Difficulty difficulty, std::uint64_t seed);
QString DifficultyName(Difficulty difficulty);
} // namespace Rules
