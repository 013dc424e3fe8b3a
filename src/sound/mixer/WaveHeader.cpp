// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/mixer/WaveHeader.h"

#include <cstring>

namespace {

constexpr std::uint16_t EncodingPcm = 1;
constexpr std::uint16_t EncodingFloat = 3;
constexpr std::uint16_t EncodingExtensible = 0xFFFE;

// Beyond this many chunks before the data, the file is not worth reading.
constexpr int MostChunks = 64;
// SDL's streams convert up to eight channels.
constexpr int MostStreamedChannels = 8;

std::uint16_t ReadLE16(const Uint8* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t ReadLE32(const Uint8* bytes)
{
    return ReadLE16(bytes) | (static_cast<std::uint32_t>(ReadLE16(bytes + 2)) << 16);
}

} // namespace

bool WaveHeader::Streamable() const
{
    const bool integer = encoding == EncodingPcm &&
                         (bitsPerSample == 8 || bitsPerSample == 16 || bitsPerSample == 24 || bitsPerSample == 32);
    const bool floating = encoding == EncodingFloat && bitsPerSample == 32;
    return (integer || floating) && channels >= 1 && channels <= MostStreamedChannels && rate > 0 &&
           blockAlign == channels * bitsPerSample / 8;
}

SDL_AudioFormat WaveHeader::StreamFormat() const
{
    if (encoding == EncodingFloat)
        return AUDIO_F32LSB;
    switch (bitsPerSample) {
    case 8:
        return AUDIO_U8;
    case 16:
        return AUDIO_S16LSB;
    default:
        return AUDIO_S32LSB;
    }
}

int WaveHeader::StreamBytesPerFrame() const
{
    return bitsPerSample == 24 ? channels * 4 : blockAlign;
}

std::optional<WaveHeader> ReadWaveHeader(SDL_RWops* file)
{
    Uint8 riff[12];
    if (SDL_RWread(file, riff, 1, sizeof riff) != sizeof riff || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WaveHeader header;
    for (int chunk = 0; chunk < MostChunks; ++chunk) {
        Uint8 head[8];
        if (SDL_RWread(file, head, 1, sizeof head) != sizeof head)
            return std::nullopt;
        const std::uint32_t size = ReadLE32(head + 4);
        Sint64 skip = static_cast<Sint64>(size) + (size & 1);  // chunks are padded to even sizes
        if (std::memcmp(head, "fmt ", 4) == 0) {
            // The extensible form names its real encoding in a sub-format
            // 24 bytes further on.
            Uint8 format[40] = {};
            const std::size_t wanted = size >= sizeof format ? sizeof format : 16;
            if (size < 16 || SDL_RWread(file, format, 1, wanted) != wanted)
                return std::nullopt;
            header.encoding = ReadLE16(format);
            header.channels = ReadLE16(format + 2);
            header.rate = static_cast<int>(ReadLE32(format + 4) & 0x7FFFFFFF);
            header.bytesPerSecond = ReadLE32(format + 8);
            header.blockAlign = ReadLE16(format + 12);
            header.bitsPerSample = ReadLE16(format + 14);
            if (header.encoding == EncodingExtensible && wanted == sizeof format)
                header.encoding = ReadLE16(format + 24);
            skip -= static_cast<Sint64>(wanted);
        } else if (std::memcmp(head, "data", 4) == 0) {
            if (header.bytesPerSecond == 0)
                return std::nullopt;
            header.dataStart = SDL_RWtell(file);
            header.dataBytes = size;
            return header.dataStart < 0 ? std::nullopt : std::optional(header);
        }
        if (SDL_RWseek(file, skip, RW_SEEK_CUR) < 0)
            return std::nullopt;
    }
    return std::nullopt;
}
