// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The main window's three status panels, numbered from 1 (clock, attempt,
// record), as the windows inside it write them.
class StatusPanels {
public:
    virtual void SetPanelText(int panel, const QString& text) = 0;  // panel 1..3
    // Back to the texts shown while no stage is open.
    virtual void ResetPanelTexts() = 0;

protected:
    ~StatusPanels() = default;
};
