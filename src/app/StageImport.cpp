// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StageImport.h"

#include "shared/MsgBox.h"
#include "stages/PlayerStages.h"

#include <QCoreApplication>
#include <QFileInfo>

bool ImportStageFile(const QString& path, QWidget* parent)
{
    const PlayerStages::Added added = PlayerStages::Import(path);
    if (!added.error.isEmpty()) {
        MsgBox(parent,
               QCoreApplication::translate("StageImport", "「%1」はステージに追加できません。\r\n%2").arg(QFileInfo(path).fileName(), added.error),
               QCoreApplication::translate("StageImport", "ズミラク"), QMessageBox::Ok);
    }
    return added.index >= 0;
}
