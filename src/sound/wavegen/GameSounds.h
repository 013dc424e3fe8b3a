// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/wavegen/WaveFile.h"

// The game's own four sounds.
Signal BackgroundMusic();  // a 20-second tune that loops without a seam
Signal TakeSound();        // short and bright
Signal RefusalSound();     // short and low
Signal ClearFanfare();     // a rising fanfare
