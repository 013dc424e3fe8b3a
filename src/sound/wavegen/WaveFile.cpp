// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/wavegen/WaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

void put16(std::ofstream& out, std::uint16_t value)
{
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    out.write(bytes, 2);
}

void put32(std::ofstream& out, std::uint32_t value)
{
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

bool WriteWaveFile(const std::filesystem::path& path, const Signal& signal)
{
    constexpr std::uint16_t channels = 1;
    constexpr std::uint16_t bitsPerSample = 16;
    constexpr std::uint16_t blockAlign = channels * bitsPerSample / 8;
    const auto dataBytes = static_cast<std::uint32_t>(signal.samples.size() * blockAlign);

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, channels);
    put32(out, static_cast<std::uint32_t>(signal.rate));
    put32(out, static_cast<std::uint32_t>(signal.rate) * blockAlign);
    put16(out, blockAlign);
    put16(out, bitsPerSample);
    out.write("data", 4);
    put32(out, dataBytes);
    for (const double sample : signal.samples) {
        const double clipped = std::clamp(sample, -1.0, 1.0);
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(clipped * 32767.0))));
    }
    return static_cast<bool>(out.flush());
}
