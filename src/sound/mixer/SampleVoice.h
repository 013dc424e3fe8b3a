// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/mixer/Voice.h"

#include <cstddef>

// Plays samples decoded beforehand, already in the mixer's format. The
// samples belong to the wave, which stops the voice before letting them go.
class SampleVoice final : public Voice {
public:
    // loops: 0 plays once, n plays n + 1 times, -1 until stopped.
    SampleVoice(const std::int16_t* samples, std::size_t frames, int loops)
        : samples_(samples), frames_(frames), loops_(loops)
    {
    }
    int Fill(std::int16_t* out, int frames) override;

private:
    const std::int16_t* samples_;
    std::size_t frames_;
    std::size_t position_ = 0;
    int loops_;
};
