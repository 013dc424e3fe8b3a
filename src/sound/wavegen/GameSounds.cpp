// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/wavegen/GameSounds.h"

#include "sound/wavegen/Synth.h"

#include <array>

namespace {

// The music: 8 bars of 4/4 at 96 beats a minute, C major, chords
// C Am F G Em Am Dm G; the last bar leads back into the first.
constexpr int MusicRate = 44100;
constexpr double Beat = 60.0 / 96.0;
constexpr int Bars = 8;

struct Chord {
    int bass;                  // MIDI note of the root, low
    std::array<int, 3> triad;  // MIDI notes around middle C
};

constexpr std::array<Chord, Bars> chords = {{
    {48, {60, 64, 67}},  // C
    {45, {57, 60, 64}},  // Am
    {41, {57, 60, 65}},  // F
    {43, {55, 59, 62}},  // G
    {40, {55, 59, 64}},  // Em
    {45, {57, 60, 64}},  // Am
    {50, {57, 62, 65}},  // Dm
    {43, {55, 59, 62}},  // G
}};

struct MelodyNote {
    int note;      // MIDI
    double beats;
};

// Four beats per bar.
const std::array<std::vector<MelodyNote>, Bars> melody = {{
    {{76, 1}, {79, 1}, {81, 0.5}, {79, 0.5}, {76, 1}},
    {{72, 1}, {74, 0.5}, {76, 0.5}, {69, 2}},
    {{81, 1}, {84, 1}, {81, 0.5}, {79, 0.5}, {77, 1}},
    {{79, 1.5}, {74, 0.5}, {71, 1}, {74, 1}},
    {{76, 1}, {79, 1}, {83, 1}, {79, 1}},
    {{81, 1.5}, {79, 0.5}, {76, 1}, {72, 1}},
    {{74, 1}, {77, 1}, {81, 1}, {77, 0.5}, {76, 0.5}},
    {{74, 1}, {71, 1}, {67, 1}, {74, 1}},
}};

const Timbre bell{{1.0, 0.35, 0.12, 0.05}, 0.008, 0.45, 0.06};
const Timbre marimba{{1.0, 0.0, 0.0, 0.25}, 0.004, 0.18, 0.04};
const Timbre softBass{{1.0, 0.45, 0.1}, 0.015, 0.7, 0.08};

} // namespace

Signal BackgroundMusic()
{
    Signal music = Silence(MusicRate, Bars * 4 * Beat);
    // Every note is written with wrap-around, so tails ringing past the end
    // sound at the start: the file repeats without a click.
    constexpr bool loop = true;
    for (int bar = 0; bar < Bars; ++bar) {
        const double barStart = bar * 4 * Beat;
        const Chord& chord = chords[static_cast<std::size_t>(bar)];

        for (const int beat : {0, 2})
            AddNote(music, {barStart + beat * Beat, 1.8 * Beat, NoteFrequency(chord.bass), 0.35}, softBass, loop);

        // Broken chord in eighths: root, third, fifth, third, ...
        constexpr std::array<std::size_t, 8> pattern = {0, 1, 2, 1, 0, 1, 2, 1};
        for (std::size_t eighth = 0; eighth < pattern.size(); ++eighth)
            AddNote(music,
                    {barStart + eighth * Beat / 2, 0.9 * Beat, NoteFrequency(chord.triad[pattern[eighth]]), 0.14},
                    marimba, loop);

        double at = barStart;
        for (const MelodyNote& tone : melody[static_cast<std::size_t>(bar)]) {
            AddNote(music, {at, tone.beats * Beat * 1.1, NoteFrequency(tone.note), 0.45}, bell, loop);
            at += tone.beats * Beat;
        }
    }
    // Quieter than the effects, which are mixed over it.
    Normalise(music, 0.45);
    return music;
}

Signal TakeSound()
{
    Signal sound = Silence(44100, 0.16);
    const Timbre pling{{1.0, 0.4, 0.15}, 0.002, 0.045, 0.02};
    AddNote(sound, {0.0, 0.16, NoteFrequency(91), 1.0}, pling);    // G6
    AddNote(sound, {0.0, 0.16, NoteFrequency(103), 0.35}, pling);  // G7, a bright edge
    Normalise(sound, 0.7);
    return sound;
}

Signal RefusalSound()
{
    Signal sound = Silence(44100, 0.3);
    // Odd partials give a dull buzz; two falling beats say "no".
    const Timbre buzz{{1.0, 0.0, 0.33, 0.0, 0.2, 0.0, 0.14}, 0.004, 0.15, 0.02};
    AddNote(sound, {0.0, 0.12, NoteFrequency(51), 1.0}, buzz);   // D#3
    AddNote(sound, {0.14, 0.16, NoteFrequency(48), 1.0}, buzz);  // C3
    Normalise(sound, 0.6);
    return sound;
}

Signal ClearFanfare()
{
    Signal sound = Silence(44100, 1.6);
    const Timbre brass{{1.0, 0.6, 0.45, 0.3, 0.2, 0.12}, 0.015, 0.8, 0.2};
    // A rising C major arpeggio, then the full chord held.
    const std::array<int, 3> rising = {72, 76, 79};
    for (std::size_t i = 0; i < rising.size(); ++i)
        AddNote(sound, {0.13 * static_cast<double>(i), 0.14, NoteFrequency(rising[i]), 0.8}, brass);
    for (const int note : {72, 76, 79, 84})
        AddNote(sound, {0.4, 1.2, NoteFrequency(note), 0.5}, brass);
    Normalise(sound, 0.7);
    return sound;
}
