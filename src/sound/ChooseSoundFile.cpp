#include "sound/ChooseSoundFile.h"

void ChooseSoundFile(std::int16_t)
{
    // Comes with the sound menu.
}
