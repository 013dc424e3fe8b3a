// The sound items of the Options menu: the master switch and the choosers.
#include "app/MainForm.h"

#include "sound/ChooseSoundFile.h"

void MainForm::mnu_Sound_Click() {}
void MainForm::mnu_SoundHitBall_Click() { ChooseSoundFile(1); }
void MainForm::mnu_SoundNoBall_Click() { ChooseSoundFile(2); }
void MainForm::mnu_SoundClear_Click() { ChooseSoundFile(3); }
void MainForm::mnu_SoundBack_Click() { ChooseSoundFile(4); }
