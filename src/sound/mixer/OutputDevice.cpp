// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/mixer/OutputDevice.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cassert>
#include <condition_variable>
#include <mutex>

namespace OutputDevice {

namespace {

// 512 frames at 44.1 kHz is about 12 ms: a play is heard within one buffer.
constexpr int OutputRate = 44100;
constexpr int OutputChannels = 2;
constexpr int BufferFrames = 512;
constexpr int BytesPerFrame = OutputChannels * static_cast<int>(sizeof(std::int16_t));
// About half a second of silence before the audio thread rests: a player
// clicking on keeps it awake, and so every sound is heard within a buffer.
constexpr int SilentBuffersBeforeRest = OutputRate / BufferFrames / 2;

bool deviceOpen = false;

std::atomic<std::uint64_t> framesMixed{0};
std::mutex tapMutex;
WaveMixTap tap = nullptr;
void* tapContext = nullptr;

// The audio thread waits here while it rests. Never destroyed: it must
// outlive any thread still waiting on it when the program ends.
struct Rest {
    std::mutex mutex;
    std::condition_variable wake;
    int callsInside = 0;  // window-thread calls in progress
    std::uint64_t wakeUps = 0;  // calls that found the thread resting
    std::atomic<bool> resting{false};
};
Rest& rest()
{
    static Rest* const shared = new Rest;
    return *shared;
}

int silentBuffers = 0;  // the audio thread's own count

// Awake objects held by the calling thread, for the debug check.
thread_local int awakeHeld = 0;

bool Sounding() { return Mix_Playing(-1) != 0 || Mix_PlayingMusic() != 0; }

// Runs on the audio thread after each buffer is mixed, holding SDL's lock on
// the buffers. A thread with nothing to play waits here until a call
// arrives; the call wakes it before it asks for that lock.
void AfterMix(void*, Uint8* stream, int length)
{
    const int frames = length / BytesPerFrame;
    framesMixed.fetch_add(static_cast<std::uint64_t>(frames), std::memory_order_relaxed);
    {
        std::lock_guard lock(tapMutex);
        if (tap)
            tap(reinterpret_cast<const std::int16_t*>(stream), frames, tapContext);
    }
    if (Sounding()) {
        silentBuffers = 0;
        return;
    }
    if (++silentBuffers < SilentBuffersBeforeRest)
        return;
    Rest& shared = rest();
    std::unique_lock lock(shared.mutex);
    if (shared.callsInside > 0)
        return;
    shared.resting = true;
    shared.wake.wait(lock, [&] { return shared.callsInside > 0; });
    shared.resting = false;
    silentBuffers = 0;
}

// SDL marks a device it lost (unplugged, server gone) as stopped; the
// mixer's device is the only one this program opens.
bool DeviceWorking()
{
    for (SDL_AudioDeviceID id = 1; id <= 16; ++id) {
        if (SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED)
            return true;
    }
    return false;
}

} // namespace

Awake::Awake()
{
    ++awakeHeld;
    Rest& shared = rest();
    std::lock_guard lock(shared.mutex);
    if (shared.resting && shared.callsInside == 0)
        ++shared.wakeUps;
    ++shared.callsInside;
    shared.wake.notify_one();
}

Awake::~Awake()
{
    Rest& shared = rest();
    std::lock_guard lock(shared.mutex);
    --shared.callsInside;
    --awakeHeld;
}

void RequireAwake()
{
    assert(awakeHeld > 0 && "SDL called from the window thread while the output may rest");
}

bool Open()
{
    Awake awake;
    if (deviceOpen) {
        if (DeviceWorking())
            return true;
        Close();
    }
    // Qt handles the program's signals; SDL must not swallow SIGTERM/SIGINT.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    // Counting starts before the device does, so that the count covers the
    // very first buffer.
    framesMixed = 0;
    silentBuffers = 0;
    Mix_SetPostMix(AfterMix, nullptr);
    // No format changes allowed: SDL converts for the hardware if need be, and
    // the mixer always works at the format and buffer size asked for.
    if (Mix_OpenAudioDevice(OutputRate, AUDIO_S16SYS, OutputChannels, BufferFrames, nullptr, 0) != 0) {
        Mix_SetPostMix(nullptr, nullptr);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(WaveMixChannelCount);
    deviceOpen = true;
    return true;
}

bool IsOpen() { return deviceOpen; }

void Close()
{
    if (!deviceOpen)
        return;
    // Awake while SDL waits for its thread to see the device closing.
    Awake awake;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_SetPostMix(nullptr, nullptr);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    deviceOpen = false;
}

std::optional<WaveMixOutputFormat> Format()
{
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (!deviceOpen)
        return std::nullopt;
    Awake awake;
    if (!Mix_QuerySpec(&rate, &format, &channels))
        return std::nullopt;
    return WaveMixOutputFormat{rate, channels, BufferFrames};
}

std::uint64_t FramesMixed() { return framesMixed.load(std::memory_order_relaxed); }

bool Resting() { return !deviceOpen || rest().resting; }

std::uint64_t WakeUps()
{
    Rest& shared = rest();
    std::lock_guard lock(shared.mutex);
    return shared.wakeUps;
}

void SetTap(WaveMixTap newTap, void* context)
{
    std::lock_guard lock(tapMutex);
    tap = newTap;
    tapContext = context;
}

} // namespace OutputDevice
