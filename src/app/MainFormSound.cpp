// SPDX-License-Identifier: GPL-3.0-or-later
// The sound items of the Options menu: the master switch and the choosers.
#include "app/MainForm.h"

#include "play/DefModule.h"
#include "shared/Announce.h"
#include "sound/ChooseSoundFile.h"
#include "sound/WAVEMIX.h"

#include <QApplication>

namespace {

// The next play window plays the chosen file; a cancel keeps the old one.
void ChooseInto(QString& soundPath, std::int16_t kind, CommonDialog& dialog, QWidget* parent)
{
    if (const std::optional<QString> chosen = ChooseSoundFile(kind, dialog, parent))
        soundPath = *chosen;
}

} // namespace

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
             mnu_Sound->isChecked() ? tr("サウンドあり") : tr("サウンドなし"));
}

void MainForm::mnu_SoundHitBall_Click() { ChooseInto(DefModule::HitSoundPath, 1, CommonDialog1, this); }
void MainForm::mnu_SoundNoBall_Click() { ChooseInto(DefModule::NoSoundPath, 2, CommonDialog1, this); }
void MainForm::mnu_SoundClear_Click() { ChooseInto(DefModule::WinSoundPath, 3, CommonDialog1, this); }
void MainForm::mnu_SoundBack_Click() { ChooseInto(DefModule::BackSoundPath, 4, CommonDialog1, this); }
