// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <mutex>

// Held while SDL reads a wave or sets up a converter. SDL picks its
// converters for the CPU the first time one is set up, in state it does not
// guard: two set up at once on different threads, one of them now and then
// found no converter and failed ("No conversion from source format to float
// available"), and a stage's music stayed silent. The waves a stage opens
// together are therefore read one at a time.
inline std::mutex& ConversionLock()
{
    static std::mutex oneAtATime;
    return oneAtATime;
}
