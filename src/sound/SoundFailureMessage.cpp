#include "sound/SoundFailureMessage.h"

void ShowSoundFailureMessage(QWidget*)
{
    // Comes with the sound module.
}
