// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <limits>

// The stage clock counts whole seconds in a signed 16-bit number.
namespace StageClock {

// The count after one more tick: it stops at 32767 (a little over nine
// hours) instead of wrapping to a negative time.
constexpr std::int16_t NextSecond(std::int16_t seconds)
{
    return seconds < std::numeric_limits<std::int16_t>::max() ? static_cast<std::int16_t>(seconds + 1) : seconds;
}

// The clock's status bar text, "12秒".
inline QString Text(std::int16_t seconds)
{
    return QCoreApplication::translate("StageClock", "%1秒").arg(seconds);
}

} // namespace StageClock
