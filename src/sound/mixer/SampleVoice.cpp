// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/mixer/SampleVoice.h"

#include "sound/mixer/MixFormat.h"

#include <algorithm>
#include <cstring>

int SampleVoice::Fill(std::int16_t* out, int frames)
{
    int written = 0;
    // A repeat follows on in the same buffer: the loop has no gap. A wave
    // without frames ends at once, however often it was to repeat.
    while (written < frames && frames_ > 0) {
        if (position_ == frames_) {
            if (loops_ == 0)
                break;
            loops_ = LoopsAfterRound(loops_);
            position_ = 0;
        }
        const std::size_t count = std::min(frames_ - position_, static_cast<std::size_t>(frames - written));
        std::memcpy(out + written * MixFormat::Channels, samples_ + position_ * MixFormat::Channels,
                    count * MixFormat::BytesPerFrame);
        position_ += count;
        written += static_cast<int>(count);
    }
    return written;
}
