// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/mixer/Channels.h"

#include "sound/WaveMixLib.h"
#include "sound/mixer/MixFormat.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace Channels {

namespace {

struct Channel {
    std::unique_ptr<Voice> voice;
    const void* owner = nullptr;
};

using Table = std::array<Channel, WaveMixChannelCount>;

// Never destroyed: exit() may come while the audio thread mixes, and it
// must not find its channels gone.
Table& channels()
{
    static Table* const shared = new Table;
    return *shared;
}

bool valid(int channel)
{
    return channel >= 0 && channel < WaveMixChannelCount;
}

constexpr int SamplesPerBuffer = MixFormat::BufferFrames * MixFormat::Channels;

// Adds up to one buffer of frames.
void MixBuffer(std::int16_t* out, int frames)
{
    std::array<std::int32_t, SamplesPerBuffer> sum{};
    std::array<std::int16_t, SamplesPerBuffer> voiceOut;
    const int samples = frames * MixFormat::Channels;
    for (Channel& channel : channels()) {
        if (!channel.voice)
            continue;
        const int written = channel.voice->Fill(voiceOut.data(), frames);
        for (int i = 0; i < written * MixFormat::Channels; ++i)
            sum[static_cast<std::size_t>(i)] += voiceOut[static_cast<std::size_t>(i)];
        if (written < frames) {
            channel.voice.reset();
            channel.owner = nullptr;
        }
    }
    for (int i = 0; i < samples; ++i)
        out[i] = static_cast<std::int16_t>(std::clamp<std::int32_t>(sum[static_cast<std::size_t>(i)],
                                                                    std::numeric_limits<std::int16_t>::min(),
                                                                    std::numeric_limits<std::int16_t>::max()));
}

} // namespace

void Start(int channel, const void* owner, std::unique_ptr<Voice> voice)
{
    if (!valid(channel))
        return;
    Channel& slot = channels()[static_cast<std::size_t>(channel)];
    slot.voice = std::move(voice);
    slot.owner = owner;
}

void Stop(int channel)
{
    if (valid(channel))
        Start(channel, nullptr, nullptr);
}

void StopOwner(const void* owner)
{
    for (int channel = 0; channel < WaveMixChannelCount; ++channel) {
        if (channels()[static_cast<std::size_t>(channel)].owner == owner)
            Stop(channel);
    }
}

void StopAll()
{
    for (int channel = 0; channel < WaveMixChannelCount; ++channel)
        Stop(channel);
}

bool Sounding(int channel)
{
    return valid(channel) && channels()[static_cast<std::size_t>(channel)].voice != nullptr;
}

bool AnySounding()
{
    return std::any_of(channels().begin(), channels().end(), [](const Channel& channel) { return channel.voice != nullptr; });
}

void Mix(std::int16_t* out, int frames)
{
    for (int done = 0; done < frames;) {
        const int now = std::min(frames - done, MixFormat::BufferFrames);
        MixBuffer(out + done * MixFormat::Channels, now);
        done += now;
    }
}

} // namespace Channels
