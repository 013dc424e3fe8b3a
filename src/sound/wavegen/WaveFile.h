// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <vector>

// A mono signal, samples in -1..1.
struct Signal {
    int rate = 0;
    std::vector<double> samples;
};

// Writes the signal as a 16-bit PCM mono RIFF/WAVE file (samples outside
// -1..1 are clipped). False when the file cannot be written.
bool WriteWaveFile(const std::filesystem::path& path, const Signal& signal);
