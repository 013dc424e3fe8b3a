// SPDX-License-Identifier: GPL-3.0-or-later
// How long after SoundPlay the sound leaves the mixer.
//
// Plays the take sound many times at uneven moments. A tap on the mixer's
// output notes when each mixed buffer leaves it; the delay of a play is the
// time from the SoundPlay call to the buffer that holds its first non-silent
// sample, plus that sample's place in the buffer. Then ten plays each after
// the output has come to rest, which wake it first. Run it through
// bench/sound_latency.sh, which picks a real-time audio driver.
#include "shared/AppPath.h"
#include "sound/MixerModule.h"
#include "sound/WAVEMIX.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The mixer module's table, loaded with the first session if not before.
const WaveMixLib& Mixer() { return *LoadWaveMixer(); }

// The first buffer with sound in it after the tap was armed.
struct SoundWatch {
    std::mutex mutex;
    std::condition_variable heard;
    bool armed = false;
    std::optional<Clock::time_point> leftAt;
    int firstFrame = 0;

    static void Tap(const std::int16_t* samples, int frames, void* context)
    {
        const Clock::time_point now = Clock::now();
        auto* watch = static_cast<SoundWatch*>(context);
        std::lock_guard lock(watch->mutex);
        if (!watch->armed || watch->leftAt)
            return;
        for (int frame = 0; frame < frames; ++frame) {
            if (samples[2 * frame] != 0 || samples[2 * frame + 1] != 0) {
                watch->leftAt = now;
                watch->firstFrame = frame;
                watch->heard.notify_one();
                return;
            }
        }
    }
};

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

// Waits `pause`, plays the take sound and adds its delay to `delays`; false
// when it was never heard.
bool TimedPlay(SoundWatch& watch, std::chrono::microseconds pause, const WaveMixOutputFormat& format,
               std::vector<double>& delays)
{
    std::this_thread::sleep_for(pause);
    std::unique_lock lock(watch.mutex);
    watch.armed = true;
    watch.leftAt.reset();
    lock.unlock();
    const Clock::time_point called = Clock::now();
    WAVEMIX::SoundPlay(1, 0);
    lock.lock();
    if (!watch.heard.wait_for(lock, std::chrono::seconds(2), [&] { return watch.leftAt.has_value(); })) {
        std::fprintf(stderr, "play %zu was never heard\n", delays.size());
        return false;
    }
    watch.armed = false;
    delays.push_back(std::chrono::duration<double, std::milli>(*watch.leftAt - called).count() +
                     1000.0 * watch.firstFrame / format.rate);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int plays = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

    // The first session loads the mixer and opens the device; a later one
    // finds them ready.
    const Clock::time_point first = Clock::now();
    const bool opened = WAVEMIX::SoundInit();
    const double firstMs = std::chrono::duration<double, std::milli>(Clock::now() - first).count();
    WAVEMIX::SoundClose();
    const Clock::time_point later = Clock::now();
    if (!opened || !WAVEMIX::SoundInit()) {
        std::fprintf(stderr, "no audio device could be opened\n");
        return 1;
    }
    const double laterMs = std::chrono::duration<double, std::milli>(Clock::now() - later).count();
    WaveMixOutputFormat format;
    Mixer().OpenedFormat(&format);
    const double bufferMs = 1000.0 * format.bufferFrames / format.rate;
    WAVEMIX::SoundLoadWave(AppPath() + "/Hit1.wav", 1);
    if (WAVEMIX::WaveTable.size() < 2 || WAVEMIX::WaveTable[1] == 0) {
        std::fprintf(stderr, "Hit1.wav could not be loaded from %s\n", qPrintable(AppPath()));
        return 1;
    }

    SoundWatch watch;
    Mixer().SetTap(&SoundWatch::Tap, &watch);
    // Uneven pauses put the calls at every point of the buffer cycle; each
    // pause outlasts the 0.16 s sound, so the output is silent again, but
    // is shorter than the half second after which the output rests.
    std::vector<double> delays;
    for (int play = 0; play < plays; ++play) {
        if (!TimedPlay(watch, std::chrono::microseconds(200000 + (play * 7919) % 17000), format, delays))
            return 1;
    }
    // A play after the output has come to rest wakes it first.
    std::vector<double> afterRest;
    for (int play = 0; play < 10; ++play) {
        if (!TimedPlay(watch, std::chrono::microseconds(1500000 + (play * 7919) % 17000), format, afterRest))
            return 1;
    }
    Mixer().SetTap(nullptr, nullptr);
    WAVEMIX::SoundClose();

    const auto late = std::count_if(delays.begin(), delays.end(), [&](double ms) { return ms > bufferMs + 1.0; });
    std::printf("output          %d Hz, %d channels, %d frames a buffer (%.1f ms)\n", format.rate, format.channels,
                format.bufferFrames, bufferMs);
    std::printf("open a session  first %.2f ms, later %.2f ms\n", firstMs, laterMs);
    std::printf("plays           %zu\n", delays.size());
    std::printf("delay ms        min %.2f  median %.2f  p95 %.2f  max %.2f\n", Percentile(delays, 0),
                Percentile(delays, 0.5), Percentile(delays, 0.95), Percentile(delays, 1));
    std::printf("over one buffer %lld (more than %.1f ms + 1 ms)\n", static_cast<long long>(late), bufferMs);
    std::printf("after a rest    %zu plays: min %.2f  median %.2f  max %.2f ms\n", afterRest.size(),
                Percentile(afterRest, 0), Percentile(afterRest, 0.5), Percentile(afterRest, 1));
    return 0;
}
