// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/WaveMixLib.h"

// The mixer module beside the program, loaded the first time it is asked
// for and kept until the process ends, never unloaded; a normal end closes
// its audio device first, and exit() from anywhere ends the process at once. Null when the module, or SDL under it, cannot be loaded: the
// next call tries again.
const WaveMixLib* LoadWaveMixer();
