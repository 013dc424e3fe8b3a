// The sound items of the Options menu: the master switch and the choosers.
#include "app/MainForm.h"

#include "sound/ChooseSoundFile.h"
#include "sound/WAVEMIX.h"

// The menu item is checkable, so its check mark has already flipped when this
// runs: act on the new state. The music restarts only when a stage is open
// with its waves loaded; otherwise both calls do nothing.
void MainForm::mnu_Sound_Click()
{
    if (mnu_Sound->isChecked())
        WAVEMIX::SoundPlay(0, -1);
    else
        WAVEMIX::SoundStop(0);
}

void MainForm::mnu_SoundHitBall_Click() { ChooseSoundFile(1, CommonDialog1, this); }
void MainForm::mnu_SoundNoBall_Click() { ChooseSoundFile(2, CommonDialog1, this); }
void MainForm::mnu_SoundClear_Click() { ChooseSoundFile(3, CommonDialog1, this); }
void MainForm::mnu_SoundBack_Click() { ChooseSoundFile(4, CommonDialog1, this); }
