// SPDX-License-Identifier: GPL-3.0-or-later
// The four sounds the build synthesises beside the program.
#include "shared/AppPath.h"

#include <SDL.h>

#include <QtTest>

#include <algorithm>
#include <cstring>

namespace {

// Mono 16-bit samples of a sound beside the program, and its rate.
std::pair<std::vector<std::int16_t>, int> Load(const char* name)
{
    SDL_AudioSpec format{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV((AppPath() + '/' + name).toUtf8().constData(), &format, &buffer, &length))
        return {};
    std::vector<std::int16_t> samples(format.format == AUDIO_S16LSB && format.channels == 1 ? length / 2 : 0);
    std::memcpy(samples.data(), buffer, samples.size() * 2);
    SDL_FreeWAV(buffer);
    return {samples, format.freq};
}

int Peak(const std::vector<std::int16_t>& x)
{
    return x.empty() ? 0 : std::abs(static_cast<int>(*std::max_element(x.begin(), x.end(), [](int a, int b) {
        return std::abs(a) < std::abs(b);
    })));
}

} // namespace

class TestGameSounds : public QObject {
    Q_OBJECT

private slots:
    void musicLoopsWithoutAClick()
    {
        const auto [samples, rate] = Load("Back1.wav");
        const std::vector<std::int16_t>& x = samples;  // clang before 16 lets no lambda capture a binding
        const double seconds = static_cast<double>(x.size()) / rate;
        QVERIFY(seconds >= 10 && seconds <= 30);
        // Played in a loop, the wave runs on smoothly from its last sample into
        // its first: the bend there (second difference) is no sharper than the
        // bends close by. A cut-off note would show as a sharp kink.
        const std::size_t n = x.size();
        const auto bend = [&](std::size_t i) { return std::abs(x[(i + n - 1) % n] - 2 * x[i % n] + x[(i + 1) % n]); };
        int nearby = 0;
        for (std::size_t i = 1; i < 256; ++i)
            nearby = std::max({nearby, bend(i), bend(n - 1 - i)});
        QVERIFY(std::max(bend(0), bend(n - 1)) <= nearby);
        QVERIFY(Peak(x) < Peak(Load("Hit1.wav").first));  // effects stand out over it
    }

    void effectsAreShortPromptAndEndQuietly()
    {
        for (const char* name : {"Hit1.wav", "No1.wav", "Win1.wav"}) {
            const auto [x, rate] = Load(name);
            QVERIFY2(!x.empty() && x.size() <= 2u * rate && Peak(x) < 32000, name);  // short, not clipped
            // Heard within 5 ms of its start, and no click at its end.
            const auto loud = std::find_if(x.begin(), x.end(), [](std::int16_t s) { return std::abs(s) > 1000; });
            QVERIFY2(loud - x.begin() < rate / 200 && std::abs(x.back()) < 300, name);
        }
        // The take sound is bright, the refusal low: count the sign changes.
        const auto crossings = [](const char* name) {
            const auto [x, rate] = Load(name);
            std::size_t count = 0;
            for (std::size_t i = 1; i < x.size(); ++i)
                count += (x[i - 1] < 0) != (x[i] < 0);
            return static_cast<double>(count) * rate / static_cast<double>(x.size());
        };
        QVERIFY(crossings("Hit1.wav") > 4 * crossings("No1.wav"));
    }
};

QTEST_GUILESS_MAIN(TestGameSounds)
#include "test_game_sounds.moc"
