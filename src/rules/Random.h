// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace Rules {

// A small random source that gives the same numbers on every machine
// (SplitMix64), with whole-number choices only.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 .. count - 1 (count > 0).
    int Below(int count)
    {
        return static_cast<int>(((Next() >> 32) * static_cast<std::uint64_t>(count)) >> 32);
    }

private:
    std::uint64_t state_;
};

} // namespace Rules
