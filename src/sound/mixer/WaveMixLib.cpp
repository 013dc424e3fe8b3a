// SPDX-License-Identifier: GPL-3.0-or-later
// The mixer module: sessions, waves and channels over SDL2's audio, handed to
// the program as one table of functions.
#include "sound/WaveMixLib.h"

#include "sound/MixRecords.h"
#include "sound/mixer/MixerWave.h"
#include "sound/mixer/OutputDevice.h"

#include <array>
#include <map>
#include <memory>

namespace {

struct Session {
    bool active = false;
    std::array<bool, WaveMixChannelCount> channelOpen{};
};

struct Wave {
    std::uint32_t session = 0;
    std::unique_ptr<MixerWave> samples;
};

// Never destroyed: exit() may come while the audio thread rests holding
// SDL's lock (a lost display ends the program that way), and a wave freed
// then would wait for that lock for ever. The process ends without them.
std::map<std::uint32_t, Session>& sessions = *new std::map<std::uint32_t, Session>;
std::map<std::uint32_t, Wave>& waves = *new std::map<std::uint32_t, Wave>;
std::uint32_t deviceOwner = 0;  // the session playing on the device, 0: none

// Handles are never 0 and never one still in use, even after wrapping.
template <typename Map>
std::uint32_t newHandle(std::uint32_t& counter, const Map& inUse)
{
    do {
        ++counter;
    } while (counter == 0 || inUse.count(counter) != 0);
    return counter;
}

std::uint32_t nextSession = 0;
std::uint32_t nextWave = 0;

bool validChannel(std::int32_t channel)
{
    return channel >= 0 && channel < WaveMixChannelCount;
}

Session* findSession(std::uint32_t handle)
{
    const auto found = sessions.find(handle);
    return found == sessions.end() ? nullptr : &found->second;
}

bool playing(std::uint32_t session)
{
    const Session* found = findSession(session);
    return found && found->active && deviceOwner == session && OutputDevice::IsOpen();
}

void silenceChannels(std::uint32_t session)
{
    if (deviceOwner != session || !OutputDevice::IsOpen())
        return;
    OutputDevice::Awake awake;
    for (std::int32_t channel = 0; channel < WaveMixChannelCount; ++channel)
        MixerWave::StopChannel(channel);
}

std::uint32_t ConfigureInit(const void* configRecord)
{
    if (!MixRecords::ReadConfig(configRecord))
        return 0;
    const std::uint32_t handle = newHandle(nextSession, sessions);
    sessions[handle] = Session{};
    return handle;
}

std::int32_t Activate(std::uint32_t session, std::int32_t activate)
{
    Session* found = findSession(session);
    if (!found)
        return WaveMixErrorBadHandle;
    if (!activate) {
        silenceChannels(session);
        found->active = false;
        return WaveMixOk;
    }
    if (deviceOwner != 0 && deviceOwner != session)
        return WaveMixErrorBusy;
    // The device is opened once and then only checked, so that a lost one
    // is reported at the next activation like one that never opened.
    if (!OutputDevice::Open())
        return WaveMixErrorNoDevice;
    deviceOwner = session;
    found->active = true;
    return WaveMixOk;
}

std::uint32_t OpenWave(std::uint32_t session, const char* fileName, std::int32_t, std::uint32_t)
{
    if (!playing(session))
        return 0;
    OutputDevice::Awake awake;
    std::unique_ptr<MixerWave> samples = MixerWave::Open(fileName);
    if (!samples)
        return 0;
    const std::uint32_t handle = newHandle(nextWave, waves);
    waves[handle] = Wave{session, std::move(samples)};
    return handle;
}

std::int32_t OpenChannel(std::uint32_t session, std::int32_t channel, std::uint32_t)
{
    Session* found = findSession(session);
    if (!found)
        return WaveMixErrorBadHandle;
    if (!validChannel(channel))
        return WaveMixErrorBadParam;
    found->channelOpen[static_cast<std::size_t>(channel)] = true;
    return WaveMixOk;
}

std::int32_t Play(const void* playRecord)
{
    const auto play = MixRecords::ReadPlay(playRecord);
    if (!play || !validChannel(play->channel))
        return WaveMixErrorBadParam;
    Session* session = findSession(play->session);
    if (!session)
        return WaveMixErrorBadHandle;
    if (!playing(play->session))
        return WaveMixErrorNotActive;
    if (!session->channelOpen[static_cast<std::size_t>(play->channel)])
        return WaveMixErrorBadParam;
    const auto wave = waves.find(play->wave);
    if (wave == waves.end() || wave->second.session != play->session)
        return WaveMixErrorBadHandle;
    const int loops = play->loops == MixRecords::LoopForever ? -1 : play->loops;
    OutputDevice::Awake awake;
    return wave->second.samples->Play(play->channel, loops) ? WaveMixOk : WaveMixErrorPlayFailed;
}

std::int32_t FlushChannel(std::uint32_t session, std::int32_t channel, std::uint32_t)
{
    if (!findSession(session))
        return WaveMixErrorBadHandle;
    if (!validChannel(channel))
        return WaveMixErrorBadParam;
    // A resting output has nothing sounding: no need to wake it.
    if (deviceOwner == session && !OutputDevice::Resting()) {
        OutputDevice::Awake awake;
        MixerWave::StopChannel(channel);
    }
    return WaveMixOk;
}

std::int32_t FreeWave(std::uint32_t session, std::uint32_t wave)
{
    const auto found = waves.find(wave);
    if (found == waves.end() || found->second.session != session)
        return WaveMixErrorBadHandle;
    OutputDevice::Awake awake;
    waves.erase(found);  // halts any channel still playing it
    return WaveMixOk;
}

std::int32_t CloseSession(std::uint32_t session)
{
    if (!findSession(session))
        return WaveMixErrorBadHandle;
    silenceChannels(session);
    {
        OutputDevice::Awake awake;
        std::erase_if(waves, [&](const auto& entry) { return entry.second.session == session; });
    }
    if (deviceOwner == session)
        deviceOwner = 0;
    sessions.erase(session);
    return WaveMixOk;
}

bool OpenedFormat(WaveMixOutputFormat* format)
{
    const auto opened = OutputDevice::Format();
    if (opened && format)
        *format = *opened;
    return opened.has_value();
}

bool ChannelSounding(std::int32_t channel)
{
    if (OutputDevice::Resting() || !validChannel(channel))
        return false;
    OutputDevice::Awake awake;
    return MixerWave::ChannelSounding(channel);
}

std::uint64_t SampleBytesHeld()
{
    std::uint64_t bytes = 0;
    for (auto& [handle, wave] : waves)
        bytes += wave.samples->SampleBytes();
    return bytes;
}

void CloseDevice()
{
    for (auto& [handle, wave] : waves)
        wave.samples->FinishDecoding();  // no decoding thread outlives the device
    silenceChannels(deviceOwner);
    for (auto& [handle, session] : sessions)
        session.active = false;
    deviceOwner = 0;
    OutputDevice::Close();
}

constexpr WaveMixLib table = {
    WaveMixLibVersion,
    ConfigureInit,
    Activate,
    OpenWave,
    OpenChannel,
    Play,
    FlushChannel,
    FreeWave,
    CloseSession,
    OpenedFormat,
    OutputDevice::FramesMixed,
    ChannelSounding,
    OutputDevice::SetTap,
    SampleBytesHeld,
    OutputDevice::Resting,
    OutputDevice::WakeUps,
    CloseDevice,
};

} // namespace

extern "C" __attribute__((visibility("default"))) const WaveMixLib* ZumirakWaveMix()
{
    return &table;
}
