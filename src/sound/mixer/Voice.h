// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// One wave sounding on a channel, from its start to its last repeat. It
// lives on the audio thread once started.
class Voice {
public:
    virtual ~Voice() = default;
    // Writes up to `frames` frames in the mixer's format to `out` and
    // returns how many it wrote; fewer than asked means the wave has ended.
    virtual int Fill(std::int16_t* out, int frames) = 0;
};

// How many more rounds a voice plays after this one: -1 for ever.
inline int LoopsAfterRound(int loops) { return loops > 0 ? loops - 1 : loops; }
