#pragma once

#include "sound/WaveMixLib.h"

// The mixer module beside the program, loaded the first time it is asked
// for and kept for the rest of the run; as the program ends its audio device
// is closed. Null when the module, or SDL under it, cannot be loaded: the
// next call tries again.
const WaveMixLib* LoadWaveMixer();
