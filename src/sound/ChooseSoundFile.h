#pragma once

#include <cstdint>

// Lets the player pick another wave file for one of the four sounds through
// the main window's shared file dialog. kind: 1 take, 2 refusal, 3 clear,
// 4 music; other kinds do nothing. A cancel keeps the old path.
void ChooseSoundFile(std::int16_t kind);
