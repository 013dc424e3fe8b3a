#include "sound/WaveMixLib.h"

#include "sound/MixRecords.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>

namespace {

// 512 frames at 44.1 kHz is about 12 ms: a play is heard within one buffer.
constexpr int OutputRate = 44100;
constexpr int OutputChannels = 2;
constexpr int BufferFrames = 512;
constexpr int BytesPerFrame = OutputChannels * static_cast<int>(sizeof(std::int16_t));

struct Session {
    bool active = false;
    std::array<bool, WaveMixChannelCount> channelOpen{};
};

struct Wave {
    std::uint32_t session = 0;
    Mix_Chunk* chunk = nullptr;
};

std::map<std::uint32_t, Session> sessions;
std::map<std::uint32_t, Wave> waves;
std::uint32_t deviceOwner = 0;  // the session that opened the device, 0: closed

std::atomic<std::uint64_t> framesMixed{0};
std::mutex tapMutex;
WaveMixTap tap = nullptr;
void* tapContext = nullptr;

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

void afterMix(void*, Uint8* stream, int length)
{
    const int frames = length / BytesPerFrame;
    framesMixed.fetch_add(static_cast<std::uint64_t>(frames), std::memory_order_relaxed);
    std::lock_guard lock(tapMutex);
    if (tap)
        tap(reinterpret_cast<const std::int16_t*>(stream), frames, tapContext);
}

bool openDevice()
{
    // Qt handles the program's signals; SDL must not swallow SIGTERM/SIGINT.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    // Counting starts before the device does, so that the count covers the
    // very first buffer.
    framesMixed = 0;
    Mix_SetPostMix(afterMix, nullptr);
    // No format changes allowed: SDL converts for the hardware if need be, and
    // the mixer always works at the format and buffer size asked for.
    if (Mix_OpenAudioDevice(OutputRate, AUDIO_S16SYS, OutputChannels, BufferFrames, nullptr, 0) != 0) {
        Mix_SetPostMix(nullptr, nullptr);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(WaveMixChannelCount);
    return true;
}

void closeDevice()
{
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    Mix_SetPostMix(nullptr, nullptr);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

Session* findSession(std::uint32_t handle)
{
    const auto found = sessions.find(handle);
    return found == sessions.end() ? nullptr : &found->second;
}

bool playing(std::uint32_t session)
{
    const Session* found = findSession(session);
    return found && found->active && deviceOwner == session;
}

void silenceChannels(std::uint32_t session)
{
    if (deviceOwner == session)
        Mix_HaltChannel(-1);
}

// Only RIFF/WAVE files are played: whatever else the decoders might accept
// is treated like any other file that cannot be used.
bool looksLikeWave(SDL_RWops* file)
{
    char header[12] = {};
    const bool complete = SDL_RWread(file, header, 1, sizeof header) == sizeof header;
    SDL_RWseek(file, 0, RW_SEEK_SET);
    return complete && std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0;
}

} // namespace

std::uint32_t WaveMixConfigureInit(const void* configRecord)
{
    if (!MixRecords::ReadConfig(configRecord))
        return 0;
    const std::uint32_t handle = newHandle(nextSession, sessions);
    sessions[handle] = Session{};
    return handle;
}

std::int32_t WaveMixActivate(std::uint32_t session, std::int32_t activate)
{
    Session* found = findSession(session);
    if (!found)
        return WaveMixErrorBadHandle;
    if (!activate) {
        silenceChannels(session);
        found->active = false;
        return WaveMixOk;
    }
    if (deviceOwner != session) {
        if (deviceOwner != 0)
            return WaveMixErrorBusy;
        if (!openDevice())
            return WaveMixErrorNoDevice;
        deviceOwner = session;
    }
    found->active = true;
    return WaveMixOk;
}

std::uint32_t WaveMixOpenWave(std::uint32_t session, const char* fileName, std::int32_t, std::uint32_t)
{
    if (!playing(session) || !fileName || !*fileName)
        return 0;
    SDL_RWops* file = SDL_RWFromFile(fileName, "rb");
    if (!file)
        return 0;
    if (!looksLikeWave(file)) {
        SDL_RWclose(file);
        return 0;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 1);  // closes the file
    if (!chunk)
        return 0;
    const std::uint32_t handle = newHandle(nextWave, waves);
    waves[handle] = Wave{session, chunk};
    return handle;
}

std::int32_t WaveMixOpenChannel(std::uint32_t session, std::int32_t channel, std::uint32_t)
{
    Session* found = findSession(session);
    if (!found)
        return WaveMixErrorBadHandle;
    if (!validChannel(channel))
        return WaveMixErrorBadParam;
    found->channelOpen[static_cast<std::size_t>(channel)] = true;
    return WaveMixOk;
}

std::int32_t WaveMixPlay(const void* playRecord)
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
    if (Mix_PlayChannel(play->channel, wave->second.chunk, loops) < 0)
        return WaveMixErrorPlayFailed;
    return WaveMixOk;
}

std::int32_t WaveMixFlushChannel(std::uint32_t session, std::int32_t channel, std::uint32_t)
{
    if (!findSession(session))
        return WaveMixErrorBadHandle;
    if (!validChannel(channel))
        return WaveMixErrorBadParam;
    if (deviceOwner == session)
        Mix_HaltChannel(channel);
    return WaveMixOk;
}

std::int32_t WaveMixFreeWave(std::uint32_t session, std::uint32_t wave)
{
    const auto found = waves.find(wave);
    if (found == waves.end() || found->second.session != session)
        return WaveMixErrorBadHandle;
    Mix_FreeChunk(found->second.chunk);  // halts any channel still playing it
    waves.erase(found);
    return WaveMixOk;
}

std::int32_t WaveMixCloseSession(std::uint32_t session)
{
    if (!findSession(session))
        return WaveMixErrorBadHandle;
    silenceChannels(session);
    for (auto wave = waves.begin(); wave != waves.end();) {
        if (wave->second.session == session) {
            Mix_FreeChunk(wave->second.chunk);
            wave = waves.erase(wave);
        } else {
            ++wave;
        }
    }
    if (deviceOwner == session) {
        closeDevice();
        deviceOwner = 0;
    }
    sessions.erase(session);
    return WaveMixOk;
}

std::optional<WaveMixOutputFormat> WaveMixOpenedFormat()
{
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (deviceOwner == 0 || !Mix_QuerySpec(&rate, &format, &channels))
        return std::nullopt;
    return WaveMixOutputFormat{rate, channels, BufferFrames};
}

std::uint64_t WaveMixFramesMixed()
{
    return framesMixed.load(std::memory_order_relaxed);
}

bool WaveMixChannelSounding(std::int32_t channel)
{
    return deviceOwner != 0 && validChannel(channel) && Mix_Playing(channel) != 0;
}

void WaveMixSetTap(WaveMixTap newTap, void* context)
{
    std::lock_guard lock(tapMutex);
    tap = newTap;
    tapContext = context;
}
