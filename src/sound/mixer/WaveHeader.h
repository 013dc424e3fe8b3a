// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <SDL_audio.h>
#include <SDL_rwops.h>

#include <cstdint>
#include <optional>

// What the header of a RIFF/WAVE file says: its encoding and where its
// samples lie. Reading it touches only the header, so a wave of any length
// is looked at in no time.
struct WaveHeader {
    std::uint16_t encoding = 0;  // format tag; the sub-format of an extensible one
    int channels = 0;
    int rate = 0;
    std::uint32_t bytesPerSecond = 0;
    int blockAlign = 0;          // bytes per frame
    int bitsPerSample = 0;
    Sint64 dataStart = 0;        // file offset of the first sample
    std::uint32_t dataBytes = 0; // as the data chunk says; the file may end sooner

    // Seconds the data plays, from the header's byte rate.
    double Seconds() const { return static_cast<double>(dataBytes) / bytesPerSecond; }

    // Plain integer or float samples, which can be read from the file as
    // they play; anything else (compressed, or an odd sample size) is left
    // to SDL's whole-file reader.
    bool Streamable() const;
    // The SDL sample format a streamed frame is handed on in. 24-bit samples
    // are widened to 32 bits as they are read.
    SDL_AudioFormat StreamFormat() const;
    int StreamBytesPerFrame() const;
};

// Nothing for a file that is not RIFF/WAVE, or whose format or data chunk is
// missing, cut short or plays at a byte rate of 0. Leaves the file anywhere.
std::optional<WaveHeader> ReadWaveHeader(SDL_RWops* file);
