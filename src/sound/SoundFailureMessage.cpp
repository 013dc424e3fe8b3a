// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundFailureMessage.h"

#include "shared/MsgBox.h"

void ShowSoundFailureMessage(QWidget* parent)
{
    MsgBox(parent, QStringLiteral("WaveMix DLLが見つかりません。\r\n正常に音が出力されません。"),
           QStringLiteral("ズミラク  WaveMix Error"), QMessageBox::Ok);
}
