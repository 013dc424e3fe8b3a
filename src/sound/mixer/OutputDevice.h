// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/WaveMixLib.h"

#include <cstdint>
#include <optional>

// The audio device under the mixer. Once opened it stays open from one
// session to the next, so that closing a play window never waits for SDL's
// audio thread to wind down. While nothing sounds, that thread is put to
// rest after about half a second: it sleeps until the next call instead of
// waking for every buffer of silence.
namespace OutputDevice {

// Opens the device if it is not open, or opens it again if it was lost.
// True when it is open and working.
bool Open();
bool IsOpen();
// Stops the audio thread and closes the device and SDL's audio.
void Close();

// Held around every call into SDL from the window thread: the audio thread
// rests inside its callback, holding the device's lock, so the thread is
// woken first and kept awake until the call is done.
class Awake {
public:
    Awake();
    ~Awake();
    Awake(const Awake&) = delete;
    Awake& operator=(const Awake&) = delete;
};

// The device's lock, held by the window thread while it changes the
// channels (see Channels.h); the thread is woken first. Nothing to lock
// while no device is open: no audio thread runs then.
class Locked {
public:
    Locked();
    ~Locked();
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    Awake awake_;
    std::uint32_t device_;  // the device locked, 0: none
};

// A debug check at every call into SDL from the window thread: it stops the
// program when the call is made without an Awake held on this thread, since
// such a call waits for ever on a resting output.
void RequireAwake();

std::optional<WaveMixOutputFormat> Format();
std::uint64_t FramesMixed();
// True while the audio thread rests, or no device is open: nothing sounds
// then, since every call that starts a sound wakes the thread first.
bool Resting();
std::uint64_t WakeUps();
void SetTap(WaveMixTap tap, void* context);

} // namespace OutputDevice
