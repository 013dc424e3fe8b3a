// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

// The record of one stage as the play window reads, shows and writes it:
// the attempt number (`ChargeNum`) and the seconds of the first clear
// (`ClearTime`, "0" while the stage was never cleared), both decimal text.
namespace StageRecord {

// True only for the exact text "0": anything else counts as cleared.
bool NeverCleared(const QString& clearTime);

// Whether the views of progress (cleared marks, counts) show the stage
// cleared: a time is stored and it is not "0". A store that lost the
// stage's values shows it not cleared, though the play window, reading the
// same nothing, would take it for a success.
bool ClearRecorded(const QString& clearTime);

// Status bar texts while a stage is open: the attempt (panel 2) and the
// recorded time (panel 3).
QString AttemptText(const QString& chargeNum, const QString& clearTime);
QString BestTimeText(const QString& clearTime);

// The attempt number to store when an attempt ends without a clear. A
// damaged number reads as its leading digits (none: 0); the count holds at
// MaxAttemptNumber instead of overflowing.
inline constexpr int MaxAttemptNumber = 2147483647;
QString NextAttemptNumber(const QString& chargeNum);

// The time to store for a first clear. A clear inside the first second is
// stored as 1: "0" would read back as never cleared and lose the clear.
QString ClearTimeText(std::int16_t elapsedSeconds);

} // namespace StageRecord
