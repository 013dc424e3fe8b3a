#pragma once

#include <QString>

#include <cstdint>

// The stage the player has chosen to play: its index, layout string and title.
struct DisplayedStage {
    std::int16_t index = 0;
    QString layout;
    QString title;
};

// Whatever shows the stages to choose from (the selection window) tells the
// play window, as it opens, which stage is on display.
class StageOnDisplay {
public:
    virtual DisplayedStage StageShown() const = 0;

protected:
    ~StageOnDisplay() = default;
};
