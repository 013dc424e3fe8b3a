// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The two records the sound module hands to the mixer, byte for byte:
// little-endian, no padding. The module builds them; the mixer reads them back
// from the bytes it is given, so both sides share this one description.
namespace MixRecords {

inline constexpr std::uint16_t ConfigSize = 10;
inline constexpr std::uint16_t PlaySize = 24;

// Loop count of a play: once, or again and again until the channel is flushed.
inline constexpr std::uint16_t PlayOnce = 0;
inline constexpr std::uint16_t LoopForever = 0xFFFF;

using ConfigBytes = std::array<std::uint8_t, ConfigSize>;
using PlayBytes = std::array<std::uint8_t, PlaySize>;

// Session configuration: size 10, then the words 0, 1, 2, 0.
ConfigBytes BuildConfig();

// Play request. Every 32-bit field is stored low half first, then high half;
// the flag words at offsets 18 and 20 are 0 and 5 in that order.
PlayBytes BuildPlay(std::uint32_t session, std::int32_t channel, std::uint32_t wave, std::uint16_t loops);

struct Config {
    std::uint16_t size = 0;
    std::uint16_t words[4] = {};
};

struct Play {
    std::uint16_t size = 0;
    std::uint32_t session = 0;
    std::int32_t channel = 0;
    std::uint32_t wave = 0;
    std::uint32_t notifyWindow = 0;
    std::uint16_t flagsLow = 0;
    std::uint16_t flagsHigh = 0;
    std::uint16_t loops = 0;
};

// Read a record from the address the caller passed. Nothing is returned for
// a null address or a record whose size word is not the expected one; only
// the size word is read in that case, so a short buffer is never overrun.
std::optional<Config> ReadConfig(const void* record);
std::optional<Play> ReadPlay(const void* record);

} // namespace MixRecords
