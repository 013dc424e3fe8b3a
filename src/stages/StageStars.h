// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The stars of a shipped stage, known to be clearable (the player's own
// carry theirs from their proof: PlayerStages::Entry). 0 for a layout that
// cannot be read. Worked out when first asked for and kept, so that only a
// window that shows stars pays for them.
int StageStars(const QString& layout);

// "★", "★★" or "★★★"; empty for 0.
QString StarsText(int stars);
