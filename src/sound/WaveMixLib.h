// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Our wave mixer, on SDL2's audio. It lives in a module of its own,
// libzumirak_mixer.so beside the program, so that the program starts without
// SDL: the sound module loads it the first time a session is opened (see
// MixerModule.h). The module hands out one table of functions: the eight
// mixing operations, then a few ways to look at the output that benchmarks
// and tests use.
//
// One mixing session at a time owns the audio device; waves are played on
// numbered channels, all channels summed into one output stream. Small
// integer handles, records passed by address, results of 0 for success and
// error codes otherwise. Every call comes from the user-interface thread. A
// stale, unknown or zero handle is refused with an error code; nothing is
// touched then.

inline constexpr std::int32_t WaveMixChannelCount = 16;  // channels 0..15

inline constexpr std::int32_t WaveMixOk = 0;
inline constexpr std::int32_t WaveMixErrorBadHandle = 1;   // unknown session or wave
inline constexpr std::int32_t WaveMixErrorBadParam = 2;    // bad record, channel or wave
inline constexpr std::int32_t WaveMixErrorNoDevice = 3;    // no audio output could be opened
inline constexpr std::int32_t WaveMixErrorBusy = 4;        // another session holds the device
inline constexpr std::int32_t WaveMixErrorNotActive = 5;   // the session is not activated
inline constexpr std::int32_t WaveMixErrorPlayFailed = 6;

struct WaveMixOutputFormat {
    int rate = 0;          // frames per second
    int channels = 0;      // interleaved samples per frame
    int bufferFrames = 0;  // frames mixed per buffer
};

// Sees every mixed buffer (signed 16-bit interleaved samples) as it leaves
// the mixer, on the audio thread.
using WaveMixTap = void (*)(const std::int16_t* samples, int frames, void* context);

struct WaveMixLib {
    // Raised whenever the table changes shape: a module left over from
    // another build is refused rather than called wrongly.
    std::uint32_t version;

    // Starts a session from its 10-byte configuration record. Returns the
    // session handle, or 0 when the record is missing or malformed. The
    // output format does not depend on the record: always 44.1 kHz stereo.
    std::uint32_t (*ConfigureInit)(const void* configRecord);

    // A non-zero `activate` makes sure the audio device is open and working
    // for the session; 0 silences the session's channels and refuses plays
    // until it is activated again.
    std::int32_t (*Activate)(std::uint32_t session, std::int32_t activate);

    // Opens a wave (RIFF/WAVE) file for an activated session. `fileName` is
    // UTF-8, so any character of a file name passes. Returns the wave handle,
    // or 0 when the file is missing, unreadable, not a wave or in a form
    // that cannot be played. A short wave is decoded whole; a long one (the
    // music) is read from its file while it plays. The last two arguments
    // are accepted and unused.
    std::uint32_t (*OpenWave)(std::uint32_t session, const char* fileName, std::int32_t instance,
                              std::uint32_t flags);

    // Readies a channel (0..15) for plays. `flags` is unused.
    std::int32_t (*OpenChannel)(std::uint32_t session, std::int32_t channel, std::uint32_t flags);

    // Starts a wave on an opened channel from the 24-byte play record,
    // replacing whatever the channel was playing. Loop count 0 plays once;
    // 0xFFFF repeats until the channel is flushed; n plays n + 1 times. The
    // start comes with the next mixing buffer.
    std::int32_t (*Play)(const void* playRecord);

    // Silences a channel at once. `flags` is unused.
    std::int32_t (*FlushChannel)(std::uint32_t session, std::int32_t channel, std::uint32_t flags);

    // Releases a wave; a channel playing it falls silent. The handle is dead
    // afterwards.
    std::int32_t (*FreeWave)(std::uint32_t session, std::uint32_t wave);

    // Releases the session, its waves and its channels. The device stays
    // open, at rest, for the next session.
    std::int32_t (*CloseSession)(std::uint32_t session);

    // --- Looking at the output (benchmarks and tests; the game does not use these)

    // The format of the open device; false while no device is open.
    bool (*OpenedFormat)(WaveMixOutputFormat* format);

    // Frames mixed and handed to the device since it was opened. The count
    // stands still while the output rests.
    std::uint64_t (*FramesMixed)();

    // Whether a channel is sounding right now.
    bool (*ChannelSounding)(std::int32_t channel);

    // Installs a tap on the mixed output; null removes it.
    void (*SetTap)(WaveMixTap tap, void* context);

    // Bytes of decoded samples that the open waves hold in memory.
    std::uint64_t (*SampleBytesHeld)();

    // Whether the output is at rest: nothing has sounded for half a second,
    // so the audio thread sleeps until a call wakes it; true too while no
    // device is open.
    bool (*Resting)();

    // Calls that found the output at rest and woke it, since the program
    // started. Calls that need no sound (asking about a channel, silencing
    // one) leave it at rest.
    std::uint64_t (*WakeUps)();

    // Closes the audio device and SDL's audio, and stops its thread. A
    // session still open loses its activation. The sound module calls it as
    // the program ends; tests call it so that the next activation probes the
    // device afresh.
    void (*CloseDevice)();
};

inline constexpr std::uint32_t WaveMixLibVersion = 3;

// The module's one exported function.
inline constexpr char WaveMixModuleFile[] = "libzumirak_mixer.so";
inline constexpr char WaveMixEntryPoint[] = "ZumirakWaveMix";
extern "C" const WaveMixLib* ZumirakWaveMix();
