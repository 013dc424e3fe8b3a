// The sound items of the Options menu: the master switch and the choosers.
#include "app/MainForm.h"

#include "shared/Announce.h"
#include "sound/ChooseSoundFile.h"
#include "sound/WAVEMIX.h"

#include <QApplication>

// The menu item is checkable, so its check mark has already flipped when this
// runs: act on the new state. The music restarts only when a stage is open
// with its waves loaded; otherwise both calls do nothing.
void MainForm::mnu_Sound_Click()
{
    if (mnu_Sound->isChecked())
        WAVEMIX::SoundPlay(0, -1);
    else
        WAVEMIX::SoundStop(0);
    // Ctrl+S leaves no menu open to read the mark from: the new state is said.
    QWidget* focused = QApplication::focusWidget();
    Announce(focused ? *focused : *static_cast<QWidget*>(this),
             mnu_Sound->isChecked() ? QStringLiteral("サウンドあり") : QStringLiteral("サウンドなし"));
}

void MainForm::mnu_SoundHitBall_Click() { ChooseSoundFile(1, CommonDialog1, this); }
void MainForm::mnu_SoundNoBall_Click() { ChooseSoundFile(2, CommonDialog1, this); }
void MainForm::mnu_SoundClear_Click() { ChooseSoundFile(3, CommonDialog1, this); }
void MainForm::mnu_SoundBack_Click() { ChooseSoundFile(4, CommonDialog1, this); }
