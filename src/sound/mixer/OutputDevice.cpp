// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/mixer/OutputDevice.h"

#include "sound/mixer/Channels.h"
#include "sound/mixer/MixFormat.h"

#include <SDL.h>

#include <atomic>
#include <cassert>
#include <condition_variable>
#include <mutex>

namespace OutputDevice {

namespace {

// About half a second of silence before the audio thread rests: a player
// clicking on keeps it awake, and so every sound is heard within a buffer.
constexpr int SilentBuffersBeforeRest = MixFormat::Rate / MixFormat::BufferFrames / 2;

SDL_AudioDeviceID device = 0;  // 0: none open

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

// The device's callback, on the audio thread, holding the device's lock:
// mixes the channels into the buffer. A thread with nothing to play then
// waits here until a call arrives; the call wakes it before it asks for the
// lock.
void MixInto(void*, Uint8* stream, int length)
{
    const int frames = length / MixFormat::BytesPerFrame;
    auto* samples = reinterpret_cast<std::int16_t*>(stream);
    Channels::Mix(samples, frames);
    framesMixed.fetch_add(static_cast<std::uint64_t>(frames), std::memory_order_relaxed);
    {
        std::lock_guard lock(tapMutex);
        if (tap)
            tap(samples, frames, tapContext);
    }
    if (Channels::AnySounding()) {
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

Locked::Locked() : device_(device)
{
    if (device_ != 0)
        SDL_LockAudioDevice(device_);
}

Locked::~Locked()
{
    if (device_ != 0)
        SDL_UnlockAudioDevice(device_);
}

void RequireAwake()
{
    assert(awakeHeld > 0 && "SDL called from the window thread while the output may rest");
}

bool Open()
{
    Awake awake;
    if (device != 0) {
        // SDL marks a device it lost (unplugged, server gone) as stopped.
        if (SDL_GetAudioDeviceStatus(device) != SDL_AUDIO_STOPPED)
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
    SDL_AudioSpec wanted{};
    wanted.freq = MixFormat::Rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = MixFormat::Channels;
    wanted.samples = MixFormat::BufferFrames;
    wanted.callback = MixInto;
    // No format changes allowed: SDL converts for the hardware if need be, and
    // the mixer always works at the format and buffer size asked for.
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

bool IsOpen() { return device != 0; }

void Close()
{
    if (device == 0)
        return;
    // Awake while SDL waits for its thread to see the device closing.
    Awake awake;
    SDL_CloseAudioDevice(device);
    device = 0;
    Channels::StopAll();  // no audio thread is left to mix them
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::optional<WaveMixOutputFormat> Format()
{
    if (device == 0)
        return std::nullopt;
    return WaveMixOutputFormat{MixFormat::Rate, MixFormat::Channels, MixFormat::BufferFrames};
}

std::uint64_t FramesMixed() { return framesMixed.load(std::memory_order_relaxed); }

bool Resting() { return device == 0 || rest().resting; }

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
