#pragma once

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

bool SoundInit();
void SoundLoadWave(const QString& fileName, std::int32_t channel);
void SoundPlay(std::int32_t channel, std::int32_t loops);
void SoundStop(std::int32_t channel);
void SoundClose();

// Tests watch the routines being called, in order, whether or not a session
// is open: routine name ("SoundInit", "SoundLoadWave", "SoundPlay",
// "SoundStop", "SoundClose"), the channel (or -1) and the loop count (or 0).
// For SoundLoadWave the file name is passed too.
using SoundCallObserver =
    std::function<void(std::string_view routine, std::int32_t channel, std::int32_t loops, const QString& fileName)>;
void SetSoundCallObserverForTesting(SoundCallObserver observer);

} // namespace WAVEMIX
