// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/mixer/WaveHeader.h"

#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <vector>

// A wave opened for playing, and the channels it plays on.
//
// Opening only reads the file's header, so the first click of a stage, which
// opens all four sounds, does not wait for them to be decoded:
// - a short wave (an effect) is read whole by SDL and converted to the
//   mixer's format on a thread of its own, and its first play waits for
//   that if need be;
// - a long wave (the music) is read from its file as it plays, so it holds
//   a few buffers instead of its whole length.
//
// Every call comes from the window thread, inside OutputDevice::Awake.
class MixerWave {
public:
    // Null when the file is missing, unreadable, not a RIFF/WAVE file, has
    // no complete format and data, or is in a form that cannot be played.
    // Needs an open device.
    static std::unique_ptr<MixerWave> Open(const char* fileName);
    // A channel playing the wave falls silent.
    ~MixerWave();
    MixerWave(const MixerWave&) = delete;
    MixerWave& operator=(const MixerWave&) = delete;

    // Starts the wave on a channel (0..15), in place of whatever the channel
    // played. loops: 0 once, n: n + 1 times, -1 until stopped. False when the
    // samples could not be decoded or converted.
    bool Play(int channel, int loops);

    // Bytes of decoded samples held, once decoding is done.
    std::uint64_t SampleBytes();

    // Waits until the wave is decoded, if it is being decoded.
    void FinishDecoding();

    static void StopChannel(int channel);
    static bool ChannelSounding(int channel);

    // Interleaved 16-bit samples in the mixer's format.
    using Samples = std::vector<std::int16_t>;

private:
    MixerWave() = default;

    std::future<Samples> decoding_;
    Samples samples_;               // decoded, once done
    SDL_RWops* stream_ = nullptr;   // a long wave, read as it plays
    WaveHeader header_;
};
