// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/Rnd.h"

#include <cstdint>

namespace {

// A 24-bit linear congruential generator. Its fixed start makes the ball
// pictures of a run reproducible, and the state carries over between visits.
constexpr std::uint32_t RndStart = 327680;
constexpr std::uint32_t RndMultiplier = 1140671485;
constexpr std::uint32_t RndIncrement = 12820163;
constexpr std::uint32_t RndModulusMask = (1u << 24) - 1;

std::uint32_t RndState = RndStart;

} // namespace

double Rnd()
{
    // Unsigned 32-bit arithmetic wraps modulo 2^32, a multiple of 2^24, so
    // masking afterwards gives the exact value modulo 2^24.
    RndState = (RndState * RndMultiplier + RndIncrement) & RndModulusMask;
    return static_cast<double>(RndState) / static_cast<double>(1u << 24);
}

void ResetRndForTesting() { RndState = RndStart; }

int RandomBallPicture()
{
    const int picture = static_cast<int>(Rnd() * 8.0);
    return picture < 8 ? picture : 7;  // r < 1 always holds; the clamp only guards the index
}
