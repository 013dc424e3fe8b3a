// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/MixRecords.h"

#include <cstddef>

namespace MixRecords {
namespace {

template <std::size_t N>
void put16(std::array<std::uint8_t, N>& bytes, std::size_t offset, std::uint16_t value)
{
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

template <std::size_t N>
void put32(std::array<std::uint8_t, N>& bytes, std::size_t offset, std::uint32_t value)
{
    put16(bytes, offset, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

std::uint16_t get16(const std::uint8_t* bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::uint32_t get32(const std::uint8_t* bytes, std::size_t offset)
{
    return get16(bytes, offset) | (static_cast<std::uint32_t>(get16(bytes, offset + 2)) << 16);
}

} // namespace

ConfigBytes BuildConfig()
{
    ConfigBytes bytes{};
    put16(bytes, 0, ConfigSize);
    put16(bytes, 2, 0);
    put16(bytes, 4, 1);
    put16(bytes, 6, 2);
    put16(bytes, 8, 0);
    return bytes;
}

PlayBytes BuildPlay(std::uint32_t session, std::int32_t channel, std::uint32_t wave, std::uint16_t loops)
{
    PlayBytes bytes{};
    put16(bytes, 0, PlaySize);
    put32(bytes, 2, session);
    put32(bytes, 6, static_cast<std::uint32_t>(channel));
    put32(bytes, 10, wave);
    put32(bytes, 14, 0);
    put16(bytes, 18, 0);
    put16(bytes, 20, 5);
    put16(bytes, 22, loops);
    return bytes;
}

std::optional<Config> ReadConfig(const void* record)
{
    if (!record)
        return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(record);
    if (get16(bytes, 0) != ConfigSize)
        return std::nullopt;
    Config config;
    config.size = ConfigSize;
    for (std::size_t i = 0; i < 4; ++i)
        config.words[i] = get16(bytes, 2 + 2 * i);
    return config;
}

std::optional<Play> ReadPlay(const void* record)
{
    if (!record)
        return std::nullopt;
    const auto* bytes = static_cast<const std::uint8_t*>(record);
    if (get16(bytes, 0) != PlaySize)
        return std::nullopt;
    Play play;
    play.size = PlaySize;
    play.session = get32(bytes, 2);
    play.channel = static_cast<std::int32_t>(get32(bytes, 6));
    play.wave = get32(bytes, 10);
    play.notifyWindow = get32(bytes, 14);
    play.flagsLow = get16(bytes, 18);
    play.flagsHigh = get16(bytes, 20);
    play.loops = get16(bytes, 22);
    return play;
}

} // namespace MixRecords
