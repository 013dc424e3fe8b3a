// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/MixRecords.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// The sound module: one mixing session per play window, one wave per numbered
// channel (0 music, 1 take, 2 clear, 3 refusal), effects mixed over the music.
// Every routine does nothing while no session is open.
namespace WAVEMIX {

extern std::uint32_t MixSession;            // 0: no session
extern std::vector<std::uint32_t> WaveTable; // wave handle per channel, 0: none
extern bool WaveTableExists;                 // false until the first SoundInit

// Opens and activates a session. False when no sound can be played; the
// session is then closed again and every routine stays silent.
bool SoundInit();
// Loads a wave onto a channel (0..15), replacing what the channel held. A file
// that cannot be used leaves the channel silent.
void SoundLoadWave(const QString& fileName, std::int32_t channel);
// Starts a channel's wave: loops -1 repeats until stopped, 0 plays once.
void SoundPlay(std::int32_t channel, std::int32_t loops);
// Silences a channel at once.
void SoundStop(std::int32_t channel);
// Releases every wave and closes the session.
void SoundClose();

// The records exactly as the routines hand them to the mixer.
MixRecords::ConfigBytes ConfigRecord();
MixRecords::PlayBytes PlayRecord(std::int32_t channel, std::int32_t loops);

// Tests watch the routines being called, in order, whether or not a session
// is open: routine name ("SoundInit", "SoundLoadWave", "SoundPlay",
// "SoundStop", "SoundClose"), the channel (or -1) and the loop count (or 0).
// For SoundLoadWave the file name is passed too. Only calls from outside the
// module are reported, not the stops the routines make among themselves.
using SoundCallObserver =
    std::function<void(std::string_view routine, std::int32_t channel, std::int32_t loops, const QString& fileName)>;
void SetSoundCallObserverForTesting(SoundCallObserver observer);

} // namespace WAVEMIX
