#pragma once

#include <cstdint>
#include <optional>

// Our wave mixer, on SDL2_mixer: one mixing session at a time owns the audio
// device; waves are loaded into memory and played on numbered channels, all
// channels summed into one output stream. The interface keeps the shape the
// sound module was written against: small integer handles, records passed by
// address, results of 0 for success and error codes otherwise.
//
// Every call comes from the user-interface thread. A stale, unknown or zero
// handle is refused with an error code; nothing is touched then.

inline constexpr std::int32_t WaveMixChannelCount = 16;  // channels 0..15

inline constexpr std::int32_t WaveMixOk = 0;
inline constexpr std::int32_t WaveMixErrorBadHandle = 1;   // unknown session or wave
inline constexpr std::int32_t WaveMixErrorBadParam = 2;    // bad record, channel or wave
inline constexpr std::int32_t WaveMixErrorNoDevice = 3;    // no audio output could be opened
inline constexpr std::int32_t WaveMixErrorBusy = 4;        // another session holds the device
inline constexpr std::int32_t WaveMixErrorNotActive = 5;   // the session is not activated
inline constexpr std::int32_t WaveMixErrorPlayFailed = 6;

// Starts a session from its 10-byte configuration record. Returns the
// session handle, or 0 when the record is missing or malformed. The output
// format does not depend on the record: always 44.1 kHz stereo.
std::uint32_t WaveMixConfigureInit(const void* configRecord);

// A non-zero `activate` opens the audio device for the session; 0 silences
// the session's channels and refuses plays until it is activated again.
std::int32_t WaveMixActivate(std::uint32_t session, std::int32_t activate);

// Loads a wave (RIFF/WAVE) file for an activated session. `fileName` is
// UTF-8, so any character of a file name passes. Returns the wave handle, or
// 0 when the file is missing, unreadable or not a wave. The last two
// arguments are accepted and unused.
std::uint32_t WaveMixOpenWave(std::uint32_t session, const char* fileName, std::int32_t instance,
                              std::uint32_t flags);

// Readies a channel (0..15) for plays. `flags` is unused.
std::int32_t WaveMixOpenChannel(std::uint32_t session, std::int32_t channel, std::uint32_t flags);

// Starts a wave on an opened channel from the 24-byte play record, replacing
// whatever the channel was playing. Loop count 0 plays once; 0xFFFF repeats
// until the channel is flushed; n plays n + 1 times. The start comes with
// the next mixing buffer.
std::int32_t WaveMixPlay(const void* playRecord);

// Silences a channel at once. `flags` is unused.
std::int32_t WaveMixFlushChannel(std::uint32_t session, std::int32_t channel, std::uint32_t flags);

// Releases a wave; a channel playing it falls silent. The handle is dead
// afterwards.
std::int32_t WaveMixFreeWave(std::uint32_t session, std::uint32_t wave);

// Releases the session, its waves and, when it holds it, the audio device.
std::int32_t WaveMixCloseSession(std::uint32_t session);

// --- Looking at the output (benchmarks and tests; the game does not use these)

struct WaveMixOutputFormat {
    int rate = 0;          // frames per second
    int channels = 0;      // interleaved samples per frame
    int bufferFrames = 0;  // frames mixed per buffer
};

// The format of the open device, or nothing while no device is open.
std::optional<WaveMixOutputFormat> WaveMixOpenedFormat();

// Frames mixed and handed to the device since it was opened.
std::uint64_t WaveMixFramesMixed();

// Whether a channel is sounding right now.
bool WaveMixChannelSounding(std::int32_t channel);

// Sees every mixed buffer (signed 16-bit interleaved samples) as it leaves
// the mixer, on the audio thread. Null removes the tap.
using WaveMixTap = void (*)(const std::int16_t* samples, int frames, void* context);
void WaveMixSetTap(WaveMixTap tap, void* context);
