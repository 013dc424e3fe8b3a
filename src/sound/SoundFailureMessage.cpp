// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundFailureMessage.h"

#include "shared/MsgBox.h"

#include <QCoreApplication>

void ShowSoundFailureMessage(QWidget* parent)
{
    MsgBox(parent, QCoreApplication::translate("SoundFailureMessage", "WaveMix DLLが見つかりません。\r\n正常に音が出力されません。"),
           QCoreApplication::translate("SoundFailureMessage", "ズミラク  WaveMix Error"), QMessageBox::Ok);
}
