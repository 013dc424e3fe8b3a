// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/mixer/StreamVoice.h"

#include "sound/mixer/ConversionLock.h"
#include "sound/mixer/MixFormat.h"

#include <algorithm>

namespace {

// Frames read from the file at a time: about 46 ms at 44.1 kHz, a few
// buffers of output.
constexpr int FramesPerRead = 2048;

} // namespace

std::unique_ptr<StreamVoice> StreamVoice::Start(SDL_RWops* file, const WaveHeader& header, int loops)
{
    std::unique_lock lock(ConversionLock());
    SDL_AudioStream* converter = SDL_NewAudioStream(header.StreamFormat(), static_cast<Uint8>(header.channels),
                                                    header.rate, AUDIO_S16SYS, MixFormat::Channels, MixFormat::Rate);
    lock.unlock();
    if (!converter)
        return nullptr;
    return std::unique_ptr<StreamVoice>(new StreamVoice(file, header, converter, loops));
}

StreamVoice::StreamVoice(SDL_RWops* file, const WaveHeader& header, SDL_AudioStream* converter, int loops)
    : file_(file), header_(header), converter_(converter), loops_(loops), offset_(header.dataStart),
      read_(static_cast<std::size_t>(FramesPerRead * header.blockAlign))
{
    if (header.bitsPerSample == 24)
        widened_.resize(static_cast<std::size_t>(FramesPerRead * header.channels));
}

StreamVoice::~StreamVoice()
{
    SDL_FreeAudioStream(converter_);
}

void StreamVoice::Feed()
{
    const Sint64 dataEnd = header_.dataStart + header_.dataBytes;
    Sint64 wanted = std::min<Sint64>(static_cast<Sint64>(read_.size()), dataEnd - offset_);
    wanted -= wanted % header_.blockAlign;
    std::size_t got = 0;
    if (wanted > 0 && SDL_RWseek(file_, offset_, RW_SEEK_SET) == offset_)
        got = SDL_RWread(file_, read_.data(), 1, static_cast<std::size_t>(wanted));
    got -= got % static_cast<std::size_t>(header_.blockAlign);
    if (got == 0) {
        // The end of the data, or of a file shorter than its header says.
        // Repeats follow on without a flush, so the seam is not heard.
        if (loops_ != 0 && bytesThisRound_ > 0) {
            loops_ = LoopsAfterRound(loops_);
            offset_ = header_.dataStart;
            bytesThisRound_ = 0;
            return;
        }
        SDL_AudioStreamFlush(converter_);
        finished_ = true;
        return;
    }
    offset_ += static_cast<Sint64>(got);
    bytesThisRound_ += static_cast<Sint64>(got);
    if (header_.bitsPerSample != 24) {
        SDL_AudioStreamPut(converter_, read_.data(), static_cast<int>(got));
        return;
    }
    const std::size_t samples = got / 3;
    for (std::size_t i = 0; i < samples; ++i) {
        const Uint8* bytes = &read_[3 * i];
        widened_[i] = static_cast<Sint32>((static_cast<Uint32>(bytes[0]) << 8) | (static_cast<Uint32>(bytes[1]) << 16) |
                                          (static_cast<Uint32>(bytes[2]) << 24));
    }
    SDL_AudioStreamPut(converter_, widened_.data(), static_cast<int>(samples * sizeof(Sint32)));
}

int StreamVoice::Fill(std::int16_t* out, int frames)
{
    int written = 0;
    while (written < frames) {
        const int available = SDL_AudioStreamAvailable(converter_) / MixFormat::BytesPerFrame;
        if (available > 0) {
            const int wanted = std::min(available, frames - written);
            const int got = SDL_AudioStreamGet(converter_, out + written * MixFormat::Channels,
                                               wanted * MixFormat::BytesPerFrame);
            if (got <= 0)
                break;
            written += got / MixFormat::BytesPerFrame;
            continue;
        }
        if (finished_)
            break;
        Feed();
    }
    return written;
}
