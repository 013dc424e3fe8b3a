#pragma once

#include <cstdint>

class CommonDialog;
class QWidget;

// Lets the player pick another wave file for one of the four sounds through
// the shared file dialog, shown over `parent`. kind: 1 take, 2 refusal,
// 3 clear, 4 music; other kinds do nothing. A cancel keeps the old path.
void ChooseSoundFile(std::int16_t kind, CommonDialog& dialog, QWidget* parent);
