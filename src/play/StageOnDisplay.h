// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

// The stage the player has chosen to play: its index, layout string and
// title, and the record store key of its record (RegUpRead::StageKey for the
// shipped stages). An empty key plays the stage without any record: nothing
// is read or written.
struct DisplayedStage {
    std::int16_t index = 0;
    QString layout;
    QString title;
    QString recordKey;
    // The first clear also stores the local date it happened on and the one
    // its attempt began on (DailyRecords::ClearedOnValue, BegunOnValue): the
    // stage of the day's streak needs them.
    bool recordsClearDate = false;
};

// Whatever shows the stages to choose from (the selection window) tells the
// play window, as it opens, which stage is on display.
class StageOnDisplay {
public:
    virtual DisplayedStage StageShown() const = 0;

protected:
    ~StageOnDisplay() = default;
};
