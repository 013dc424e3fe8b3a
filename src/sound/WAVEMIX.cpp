// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/WAVEMIX.h"

#include "shared/AppPath.h"
#include "sound/MixerModule.h"

#include <QDir>

namespace WAVEMIX {

std::uint32_t MixSession = 0;
std::vector<std::uint32_t> WaveTable;
bool WaveTableExists = false;

namespace {

// The mixer under the open session; loaded by the first SoundInit.
const WaveMixLib* mixer = nullptr;

SoundCallObserver& observer()
{
    static SoundCallObserver watching;
    return watching;
}

void report(std::string_view routine, std::int32_t channel = -1, std::int32_t loops = 0,
            const QString& fileName = {})
{
    if (observer())
        observer()(routine, channel, loops, fileName);
}

// Channels outside the mixer's range are ignored: a table sized by a stray
// number would only waste memory, and a negative one has no entry at all.
bool usableChannel(std::int32_t channel)
{
    return channel >= 0 && channel < WaveMixChannelCount;
}

void stopChannel(std::int32_t channel)
{
    if (MixSession == 0)
        return;
    mixer->FlushChannel(MixSession, static_cast<std::int16_t>(channel), 0);
}

void closeSession()
{
    if (MixSession == 0)
        return;
    for (std::size_t channel = 0; channel < WaveTable.size(); ++channel) {
        const std::uint32_t wave = WaveTable[channel];
        if (wave == 0)
            continue;
        stopChannel(static_cast<std::int32_t>(channel));
        mixer->FreeWave(MixSession, wave);
    }
    mixer->CloseSession(MixSession);
    MixSession = 0;
}

} // namespace

MixRecords::ConfigBytes ConfigRecord()
{
    return MixRecords::BuildConfig();
}

MixRecords::PlayBytes PlayRecord(std::int32_t channel, std::int32_t loops)
{
    const std::uint32_t wave = usableChannel(channel) && static_cast<std::size_t>(channel) < WaveTable.size()
                                   ? WaveTable[static_cast<std::size_t>(channel)]
                                   : 0;
    // The count travels as a signed 16-bit word: -1 becomes 0xFFFF.
    const auto loopWord = static_cast<std::uint16_t>(static_cast<std::int16_t>(loops));
    return MixRecords::BuildPlay(MixSession, channel, wave, loopWord);
}

bool SoundInit()
{
    report("SoundInit");
    // A session still open would keep the device; the new one replaces it.
    closeSession();
    WaveTable.assign(1, 0);
    WaveTableExists = true;
    QDir::setCurrent(AppPath());
    // Without the mixer module (or SDL) there is no sound, as without a device.
    mixer = LoadWaveMixer();
    if (!mixer)
        return false;
    const MixRecords::ConfigBytes config = ConfigRecord();
    MixSession = mixer->ConfigureInit(config.data());
    if (mixer->Activate(MixSession, -1) != 0) {
        mixer->CloseSession(MixSession);
        MixSession = 0;
        return false;
    }
    return true;
}

void SoundLoadWave(const QString& fileName, std::int32_t channel)
{
    report("SoundLoadWave", channel, 0, fileName);
    if (MixSession == 0 || !usableChannel(channel))
        return;
    const auto index = static_cast<std::size_t>(channel);
    if (index >= WaveTable.size())
        WaveTable.resize(index + 1, 0);
    if (WaveTable[index] != 0) {
        stopChannel(channel);
        mixer->FreeWave(MixSession, WaveTable[index]);
    }
    // A wave that cannot be loaded stores 0: the channel stays silent.
    WaveTable[index] = mixer->OpenWave(MixSession, fileName.toUtf8().constData(), 0, 0);
    mixer->OpenChannel(MixSession, channel, 0);
}

void SoundPlay(std::int32_t channel, std::int32_t loops)
{
    report("SoundPlay", channel, loops);
    if (!WaveTableExists || !usableChannel(channel) || static_cast<std::size_t>(channel) >= WaveTable.size())
        return;
    if (MixSession == 0 || WaveTable[static_cast<std::size_t>(channel)] == 0)
        return;
    const MixRecords::PlayBytes play = PlayRecord(channel, loops);
    mixer->Play(play.data());
}

void SoundStop(std::int32_t channel)
{
    report("SoundStop", channel);
    stopChannel(channel);
}

void SoundClose()
{
    report("SoundClose");
    closeSession();
}

void SetSoundCallObserverForTesting(SoundCallObserver watcher)
{
    observer() = std::move(watcher);
}

} // namespace WAVEMIX
