// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/mixer/MixerWave.h"

#include "sound/mixer/OutputDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>
#include <mutex>
#include <optional>

namespace {

// Longer waves are streamed: five seconds decoded take about 880 KB.
constexpr double StreamLongerThanSeconds = 5.0;

// The channel whose wave SDL_mixer is streaming, and that wave.
int streamChannel = -1;
const MixerWave* streaming = nullptr;

std::uint32_t ReadLE32(const Uint8* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// How long a RIFF/WAVE file plays, from its header: the data chunk's size
// over the format chunk's bytes per second. Nothing for any other file, or
// one whose format or data chunk is missing or cut short. Whatever else the
// decoders might accept is treated like any other file that cannot be used.
std::optional<double> PlayingSeconds(SDL_RWops* file)
{
    Uint8 riff[12];
    if (SDL_RWread(file, riff, 1, sizeof riff) != sizeof riff || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return std::nullopt;
    std::uint32_t bytesPerSecond = 0;
    for (int chunk = 0; chunk < 64; ++chunk) {
        Uint8 head[8];
        if (SDL_RWread(file, head, 1, sizeof head) != sizeof head)
            return std::nullopt;
        const std::uint32_t size = ReadLE32(head + 4);
        Sint64 skip = size + (size & 1);  // chunks are padded to even sizes
        if (std::memcmp(head, "fmt ", 4) == 0) {
            Uint8 format[16];
            if (size < sizeof format || SDL_RWread(file, format, 1, sizeof format) != sizeof format)
                return std::nullopt;
            bytesPerSecond = ReadLE32(format + 8);
            skip -= sizeof format;
        } else if (std::memcmp(head, "data", 4) == 0) {
            if (bytesPerSecond == 0)
                return std::nullopt;
            return static_cast<double>(size) / bytesPerSecond;
        }
        if (SDL_RWseek(file, skip, RW_SEEK_CUR) < 0)
            return std::nullopt;
    }
    return std::nullopt;
}

// One decoder at a time: SDL_mixer's loaders are not safe to run on two
// threads at once, and the waves of a stage are opened together (run side
// by side, one of them now and then came back empty, mostly on the first
// conversion of a run).
std::mutex& DecoderLock()
{
    static std::mutex oneAtATime;
    return oneAtATime;
}

// Runs on a decoding thread: SDL_mixer converts to its output format without
// touching the audio thread's state.
Mix_Chunk* DecodeWhole(const std::string& fileName)
{
    std::lock_guard lock(DecoderLock());
    SDL_RWops* file = SDL_RWFromFile(fileName.c_str(), "rb");
    return file ? Mix_LoadWAV_RW(file, 1) : nullptr;  // closes the file
}

// Whether SDL_mixer's stream reader takes the wave: it reads only the
// header, and refuses an encoding it cannot decode. The few encodings that
// only the whole-file loader knows (ADPCM) are tried whole instead.
bool ReadsAsStream(SDL_RWops* file)
{
    std::lock_guard lock(DecoderLock());
    Mix_Music* probe = Mix_LoadMUSType_RW(file, MUS_WAV, 0);
    if (!probe)
        return false;
    Mix_FreeMusic(probe);
    return true;
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
    const std::optional<double> seconds = PlayingSeconds(file);
    if (!seconds) {
        SDL_RWclose(file);
        return nullptr;
    }
    std::unique_ptr<MixerWave> wave(new MixerWave(fileName));
    if (*seconds > StreamLongerThanSeconds) {
        SDL_RWseek(file, 0, RW_SEEK_SET);
        // Keeps the file open to read from as it plays; closes it on failure.
        wave->stream_ = Mix_LoadMUSType_RW(file, MUS_WAV, 1);
        return wave->stream_ ? std::move(wave) : nullptr;
    }
    // A short wave is decoded later, so its encoding is checked now: a wave
    // that cannot be played is refused at open, whatever its length.
    SDL_RWseek(file, 0, RW_SEEK_SET);
    const bool decodable = ReadsAsStream(file);
    SDL_RWclose(file);
    if (!decodable) {
        wave->chunk_ = DecodeWhole(wave->fileName_);
        return wave->chunk_ ? std::move(wave) : nullptr;
    }
    // Decoded on the window thread instead if no thread can be started.
    wave->decoding_ = std::async(std::launch::async | std::launch::deferred, DecodeWhole, wave->fileName_);
    return wave;
}

MixerWave::~MixerWave()
{
    OutputDevice::RequireAwake();
    if (streaming == this) {
        Mix_HaltMusic();
        streamChannel = -1;
        streaming = nullptr;
    }
    if (stream_)
        Mix_FreeMusic(stream_);
    FinishDecoding();
    if (chunk_)
        Mix_FreeChunk(chunk_);  // halts the channels playing it
}

void MixerWave::FinishDecoding()
{
    if (decoding_.valid())
        chunk_ = decoding_.get();
}

Mix_Chunk* MixerWave::Decoded()
{
    FinishDecoding();
    if (!chunk_ && stream_ && !decodedWhole_) {
        decodedWhole_ = true;
        chunk_ = DecodeWhole(fileName_);
    }
    return chunk_;
}

bool MixerWave::Play(int channel, int loops)
{
    OutputDevice::RequireAwake();
    StopChannel(channel);
    if (stream_ && Mix_PlayingMusic() == 0) {
        // SDL_mixer counts plays of a stream, not repeats; -1 is for ever.
        if (Mix_PlayMusic(stream_, loops < 0 ? -1 : loops + 1) != 0)
            return false;
        streamChannel = channel;
        streaming = this;
        return true;
    }
    Mix_Chunk* chunk = Decoded();
    return chunk && Mix_PlayChannel(channel, chunk, loops) >= 0;
}

std::uint64_t MixerWave::SampleBytes()
{
    FinishDecoding();
    return chunk_ ? chunk_->alen : 0;
}

void MixerWave::StopChannel(int channel)
{
    OutputDevice::RequireAwake();
    Mix_HaltChannel(channel);
    if (channel == streamChannel) {
        Mix_HaltMusic();
        streamChannel = -1;
        streaming = nullptr;
    }
}

bool MixerWave::ChannelSounding(int channel)
{
    OutputDevice::RequireAwake();
    return Mix_Playing(channel) != 0 || (channel == streamChannel && Mix_PlayingMusic() != 0);
}
