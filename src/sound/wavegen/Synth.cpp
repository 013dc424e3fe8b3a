// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/wavegen/Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double NoteFrequency(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

Signal Silence(int rate, double seconds)
{
    return Signal{rate, std::vector<double>(static_cast<std::size_t>(std::lround(rate * seconds)), 0.0)};
}

void AddNote(Signal& signal, const Note& note, const Timbre& timbre, bool wrapAround)
{
    const std::size_t size = signal.samples.size();
    if (size == 0 || signal.rate <= 0)
        return;
    const double rate = signal.rate;
    const auto first = static_cast<long long>(std::lround(note.start * rate));
    const auto count = static_cast<long long>(std::lround(note.length * rate));
    const double nyquist = rate / 2;
    for (long long i = 0; i < count; ++i) {
        const double t = i / rate;
        const double remaining = note.length - t;
        double envelope = std::exp(-t / timbre.decay);
        if (t < timbre.attack)
            envelope *= t / timbre.attack;
        if (remaining < timbre.release)
            envelope *= remaining / timbre.release;
        double value = 0;
        for (std::size_t h = 0; h < timbre.harmonics.size(); ++h) {
            const double frequency = note.frequency * static_cast<double>(h + 1);
            if (frequency >= nyquist)
                break;
            value += timbre.harmonics[h] * std::sin(2 * std::numbers::pi * frequency * t);
        }
        long long index = first + i;
        if (wrapAround)
            index %= static_cast<long long>(size);
        else if (index >= static_cast<long long>(size))
            break;
        signal.samples[static_cast<std::size_t>(index)] += note.gain * envelope * value;
    }
}

void Normalise(Signal& signal, double peak)
{
    double largest = 0;
    for (const double sample : signal.samples)
        largest = std::max(largest, std::abs(sample));
    if (largest == 0)
        return;
    for (double& sample : signal.samples)
        sample *= peak / largest;
}
