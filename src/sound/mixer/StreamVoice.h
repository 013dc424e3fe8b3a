// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/mixer/Voice.h"
#include "sound/mixer/WaveHeader.h"

#include <memory>
#include <vector>

// Plays a long wave straight from its file: a few kilobytes are read and
// converted to the mixer's format as the output needs them, so the music
// holds a few buffers instead of its whole length. The file belongs to the
// wave, which stops the voice before closing it; two voices of one wave each
// keep their own place in it.
class StreamVoice final : public Voice {
public:
    // Null when SDL cannot convert the wave's format. loops: 0 plays once,
    // n plays n + 1 times, -1 until stopped.
    static std::unique_ptr<StreamVoice> Start(SDL_RWops* file, const WaveHeader& header, int loops);
    ~StreamVoice() override;
    StreamVoice(const StreamVoice&) = delete;
    StreamVoice& operator=(const StreamVoice&) = delete;

    int Fill(std::int16_t* out, int frames) override;

private:
    StreamVoice(SDL_RWops* file, const WaveHeader& header, SDL_AudioStream* stream, int loops);
    // Reads the next piece of the file into the converter; at the end of the
    // data, starts the next round or lets the converter give out its rest.
    void Feed();

    SDL_RWops* file_;
    WaveHeader header_;
    SDL_AudioStream* converter_;
    int loops_;
    Sint64 offset_;              // file offset of the next byte to read
    Sint64 bytesThisRound_ = 0;  // a round that read nothing ends the voice
    bool finished_ = false;      // everything read; the converter drains
    std::vector<Uint8> read_;
    std::vector<Sint32> widened_;  // 24-bit samples as 32-bit ones
};
