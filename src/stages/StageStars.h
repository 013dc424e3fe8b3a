// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A stage's difficulty as one to three stars (Rules::DifficultyStars; 0 for
// a layout that cannot be read or cleared). Worked out when first asked for
// and kept, so that only a window that shows stars pays for them.
int StageStars(const QString& layout);

// "★", "★★" or "★★★"; empty for 0.
QString StarsText(int stars);
