// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/mixer/MixerWave.h"

#include "sound/mixer/Channels.h"
#include "sound/mixer/ConversionLock.h"
#include "sound/mixer/MixFormat.h"
#include "sound/mixer/OutputDevice.h"
#include "sound/mixer/SampleVoice.h"
#include "sound/mixer/StreamVoice.h"

#include <SDL.h>

#include <cstring>

namespace {

// Longer waves are streamed: five seconds decoded take about 880 KB.
constexpr double StreamLongerThanSeconds = 5.0;
// A wave read whole is held whole: beyond these sizes a file is refused
// rather than let fill the memory (a compressed wave that cannot be streamed,
// or a header that belies its data).
constexpr std::uint32_t MostDataBytesReadWhole = 8u << 20;
constexpr double MostSecondsDecoded = 60.0;

// Reads a whole wave through SDL and converts it to the mixer's format in one
// go, so that no converter's lead-in or cut-off end comes between its
// repeats. No samples when SDL cannot read or convert it. Runs on any thread.
MixerWave::Samples DecodeWhole(const std::string& fileName)
{
    std::lock_guard lock(ConversionLock());
    SDL_RWops* file = SDL_RWFromFile(fileName.c_str(), "rb");
    SDL_AudioSpec format{};
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!file || !SDL_LoadWAV_RW(file, 1, &format, &data, &length))  // closes the file
        return {};
    MixerWave::Samples samples;
    const int frameBytes = SDL_AUDIO_BITSIZE(format.format) / 8 * format.channels;
    const double seconds = frameBytes > 0 && format.freq > 0 ? static_cast<double>(length) / frameBytes / format.freq : 0;
    SDL_AudioCVT conversion;
    if (seconds > 0 && seconds <= MostSecondsDecoded &&
        SDL_BuildAudioCVT(&conversion, format.format, format.channels, format.freq, AUDIO_S16SYS,
                          MixFormat::Channels, MixFormat::Rate) >= 0) {
        conversion.len = static_cast<int>(length);
        samples.resize((static_cast<std::size_t>(length) * static_cast<std::size_t>(conversion.len_mult) + 1) / 2);
        std::memcpy(samples.data(), data, length);
        conversion.buf = reinterpret_cast<Uint8*>(samples.data());
        const bool converted = SDL_ConvertAudio(&conversion) == 0;
        samples.resize(converted ? static_cast<std::size_t>(conversion.len_cvt) / 2 : 0);
        samples.shrink_to_fit();
    }
    SDL_FreeWAV(data);
    return samples;
}

// SDL keeps an error buffer for each thread that calls it, and frees it only
// for the threads it started itself: a decoding thread of ours hands its
// buffer back before it ends.
MixerWave::Samples DecodeOnItsOwnThread(const std::string& fileName)
{
    MixerWave::Samples samples = DecodeWhole(fileName);
    SDL_TLSCleanup();
    return samples;
}

} // namespace

std::unique_ptr<MixerWave> MixerWave::Open(const char* fileName)
{
    OutputDevice::RequireAwake();
    if (!fileName || !*fileName)
        return nullptr;
    SDL_RWops* file = SDL_RWFromFile(fileName, "rb");
    if (!file)
        return nullptr;
    const std::optional<WaveHeader> header = ReadWaveHeader(file);
    if (!header) {
        SDL_RWclose(file);
        return nullptr;
    }
    std::unique_ptr<MixerWave> wave(new MixerWave);
    wave->header_ = *header;
    // Plain samples play at the rate their format gives, whatever the
    // header's byte rate says.
    const bool streamable = header->Streamable();
    const double seconds = streamable ? static_cast<double>(header->dataBytes) / header->blockAlign / header->rate
                                      : header->Seconds();
    if (streamable && seconds > StreamLongerThanSeconds) {
        wave->stream_ = file;  // read from as it plays, closed with the wave
        return wave;
    }
    SDL_RWclose(file);
    if (header->dataBytes > MostDataBytesReadWhole)
        return nullptr;
    if (!streamable) {
        // SDL's reader alone knows whether it can decode this encoding: a
        // wave that cannot be played is refused at open, whatever its kind.
        wave->samples_ = DecodeWhole(fileName);
        return wave->samples_.empty() ? nullptr : std::move(wave);
    }
    // Decoded on the window thread instead if no thread can be started.
    wave->decoding_ = std::async(std::launch::async | std::launch::deferred, DecodeOnItsOwnThread, std::string(fileName));
    return wave;
}

MixerWave::~MixerWave()
{
    OutputDevice::RequireAwake();
    FinishDecoding();
    {
        OutputDevice::Locked lock;
        Channels::StopOwner(this);
    }
    if (stream_)
        SDL_RWclose(stream_);
}

void MixerWave::FinishDecoding()
{
    if (decoding_.valid())
        samples_ = decoding_.get();
}

bool MixerWave::Play(int channel, int loops)
{
    OutputDevice::RequireAwake();
    std::unique_ptr<Voice> voice;
    if (stream_) {
        voice = StreamVoice::Start(stream_, header_, loops);
    } else {
        FinishDecoding();
        if (!samples_.empty())
            voice = std::make_unique<SampleVoice>(samples_.data(), samples_.size() / MixFormat::Channels, loops);
    }
    OutputDevice::Locked lock;
    Channels::Start(channel, this, std::move(voice));  // stops what played there
    return Channels::Sounding(channel);
}

std::uint64_t MixerWave::SampleBytes()
{
    FinishDecoding();
    return samples_.size() * sizeof(std::int16_t);
}

void MixerWave::StopChannel(int channel)
{
    OutputDevice::RequireAwake();
    OutputDevice::Locked lock;
    Channels::Stop(channel);
}

bool MixerWave::ChannelSounding(int channel)
{
    OutputDevice::RequireAwake();
    OutputDevice::Locked lock;
    return Channels::Sounding(channel);
}
