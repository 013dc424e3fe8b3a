#pragma once

#include "sound/wavegen/WaveFile.h"

#include <QString>

#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <vector>

// Test waves: a plain tone at full level from its first sample, so its start
// is easy to find in the output.
inline bool WriteTone(const QString& path, double frequency, double seconds, double amplitude = 0.3,
                      int rate = 22050)
{
    Signal tone{rate, {}};
    const auto count = static_cast<std::size_t>(std::lround(seconds * rate));
    for (std::size_t i = 0; i < count; ++i)
        tone.samples.push_back(amplitude * std::cos(2 * std::numbers::pi * frequency * static_cast<double>(i) / rate));
    return WriteWaveFile(std::filesystem::path(path.toStdU16String()), tone);
}

// Amplitude (0..1) of one frequency in samples[first, first + count) taken
// every `stride` samples (2 picks one channel of a stereo stream).
inline double ToneLevel(const std::vector<std::int16_t>& samples, std::size_t first, std::size_t count,
                        double frequency, int rate, std::size_t stride = 1)
{
    std::complex<double> sum;
    for (std::size_t i = 0; i < count && (first + i) * stride < samples.size(); ++i) {
        const double phase = -2 * std::numbers::pi * frequency * static_cast<double>(i) / rate;
        sum += std::polar(samples[(first + i) * stride] / 32768.0, phase);
    }
    return count == 0 ? 0 : 2 * std::abs(sum) / static_cast<double>(count);
}
