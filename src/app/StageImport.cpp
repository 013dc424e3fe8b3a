// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StageImport.h"

#include "shared/MsgBox.h"
#include "stages/PlayerStages.h"

#include <QFileInfo>

bool ImportStageFile(const QString& path, QWidget* parent)
{
    const PlayerStages::Added added = PlayerStages::Import(path);
    if (!added.error.isEmpty()) {
        MsgBox(parent,
               QStringLiteral("「%1」はステージに追加できません。\r\n%2").arg(QFileInfo(path).fileName(), added.error),
               QStringLiteral("ズミラク"), QMessageBox::Ok);
    }
    return added.index >= 0;
}
