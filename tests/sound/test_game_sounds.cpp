// The four sounds the build synthesises beside the program.
#include "app/AppPath.h"

#include <SDL.h>

#include <QtTest>

#include <algorithm>
#include <cstring>
#include <cstdint>
#include <vector>

namespace {

struct Sound {
    int rate = 0;
    std::vector<std::int16_t> samples;  // mono
    double Seconds() const { return static_cast<double>(samples.size()) / rate; }
    int Peak() const
    {
        int peak = 0;
        for (const std::int16_t sample : samples)
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        return peak;
    }
    // Sign changes per second: a rough measure of pitch and brightness.
    double Crossings() const
    {
        std::size_t count = 0;
        for (std::size_t i = 1; i < samples.size(); ++i)
            count += (samples[i - 1] < 0) != (samples[i] < 0);
        return static_cast<double>(count) / Seconds();
    }
};

Sound Load(const char* name)
{
    const QByteArray path = (AppPath() + '/' + name).toUtf8();
    SDL_AudioSpec spec{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    Sound sound;
    if (!SDL_LoadWAV(path.constData(), &spec, &buffer, &length))
        return sound;
    if (spec.format == AUDIO_S16LSB && spec.channels == 1) {
        sound.rate = spec.freq;
        sound.samples.resize(length / 2);
        std::memcpy(sound.samples.data(), buffer, sound.samples.size() * 2);
    }
    SDL_FreeWAV(buffer);
    return sound;
}

} // namespace

class TestGameSounds : public QObject {
    Q_OBJECT

private slots:
    void musicLoopsWithoutAClick();
    void effectsAreShortPromptAndEndQuietly();
};

void TestGameSounds::musicLoopsWithoutAClick()
{
    const Sound music = Load("Back1.wav");
    QVERIFY(music.rate > 0);
    QVERIFY(music.Seconds() >= 10 && music.Seconds() <= 30);
    // Played in a loop, the wave runs on smoothly from its last sample into
    // its first: the bend there (second difference) is no sharper than the
    // bends close by. A cut-off note would show as a sharp kink.
    const std::vector<std::int16_t>& x = music.samples;
    const std::size_t n = x.size();
    const auto bend = [&](std::size_t i) {
        return std::abs(x[(i + n - 1) % n] - 2 * x[i % n] + x[(i + 1) % n]);
    };
    int nearby = 0;
    for (std::size_t i = 1; i < 256; ++i)
        nearby = std::max({nearby, bend(i), bend(n - 1 - i)});
    QVERIFY(std::max(bend(0), bend(n - 1)) <= nearby);
    QVERIFY(music.Peak() < Load("Hit1.wav").Peak());  // effects stand out over it
}

void TestGameSounds::effectsAreShortPromptAndEndQuietly()
{
    const Sound take = Load("Hit1.wav"), refusal = Load("No1.wav"), fanfare = Load("Win1.wav");
    for (const Sound* effect : {&take, &refusal, &fanfare}) {
        QVERIFY(effect->rate > 0);
        QVERIFY(effect->Seconds() <= 2);
        QVERIFY(effect->Peak() < 32000);  // no clipping
        // Heard within 5 ms of its start, and no click at its end.
        const auto loud = std::find_if(effect->samples.begin(), effect->samples.end(),
                                       [](std::int16_t sample) { return std::abs(sample) > 1000; });
        QVERIFY(loud - effect->samples.begin() < effect->rate / 200);
        QVERIFY(std::abs(effect->samples.back()) < 300);
    }
    QVERIFY(take.Crossings() > 4 * refusal.Crossings());  // bright against low
    QVERIFY(fanfare.Seconds() > take.Seconds());
}

QTEST_GUILESS_MAIN(TestGameSounds)
#include "test_game_sounds.moc"
