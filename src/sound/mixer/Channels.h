// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/mixer/Voice.h"

#include <memory>

// The mixer's channels (0..15), each sounding one voice or none, and their
// sum. The audio thread mixes them while it holds the device's lock; the
// window thread changes them only under that lock (OutputDevice::Locked).
namespace Channels {

// Starts `voice` on a channel in place of whatever it played. `owner` is
// the wave it plays, so that the wave can silence it when it goes.
void Start(int channel, const void* owner, std::unique_ptr<Voice> voice);
void Stop(int channel);
void StopOwner(const void* owner);
void StopAll();

bool Sounding(int channel);
bool AnySounding();

// Sums every channel into `frames` frames of `out`, clipped to 16 bits; a
// voice that has ended leaves its channel. The audio thread's call.
void Mix(std::int16_t* out, int frames);

} // namespace Channels
