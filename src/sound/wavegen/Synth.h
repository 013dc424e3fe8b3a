// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/wavegen/WaveFile.h"

#include <vector>

// A small additive synthesiser: each note is a sum of harmonics under an
// envelope (linear attack, exponential decay, linear release at its end).
struct Timbre {
    std::vector<double> harmonics;  // amplitude of partial 1, 2, 3, ...
    double attack = 0.005;          // seconds
    double decay = 0.5;             // seconds for the level to fall to 1/e
    double release = 0.02;          // seconds of fade at the note's end
};

struct Note {
    double start = 0;     // seconds
    double length = 0;    // seconds, release included
    double frequency = 0; // Hz
    double gain = 1;
};

// Frequency of a MIDI note number (69 is A4, 440 Hz).
double NoteFrequency(int midiNote);

// A silent signal of the given length.
Signal Silence(int rate, double seconds);

// Adds a note to the signal. Parts beyond the end are dropped, or, with
// `wrapAround`, continue from the start: the signal then loops seamlessly.
void AddNote(Signal& signal, const Note& note, const Timbre& timbre, bool wrapAround = false);

// Scales the signal so that its largest magnitude becomes `peak`.
void Normalise(Signal& signal, double peak);
