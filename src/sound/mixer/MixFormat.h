// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The one format the mixer works in: every wave is converted to it, and the
// device is asked for it (SDL converts for the hardware if need be).
namespace MixFormat {

inline constexpr int Rate = 44100;
inline constexpr int Channels = 2;  // interleaved left, right
// 512 frames at 44.1 kHz is about 12 ms: a play is heard within one buffer.
inline constexpr int BufferFrames = 512;
inline constexpr int BytesPerFrame = Channels * static_cast<int>(sizeof(std::int16_t));

} // namespace MixFormat
