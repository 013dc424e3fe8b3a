#include "sound/WAVEMIX.h"

namespace WAVEMIX {

std::uint32_t MixSession = 0;
std::vector<std::uint32_t> WaveTable;
bool WaveTableExists = false;

bool SoundInit() { return false; }
void SoundLoadWave(const QString&, std::int32_t) {}
void SoundPlay(std::int32_t, std::int32_t) {}
void SoundStop(std::int32_t) {}
void SoundClose() {}
void SetSoundCallObserverForTesting(SoundCallObserver) {}

} // namespace WAVEMIX
