// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StageImport.h"

#include "shared/MsgBox.h"
#include "stages/PlayerStages.h"

#include <QFileInfo>
#include <QPointer>

void ImportStageFile(const QString& path, QWidget* parent)
{
    // Its proof runs off the window's thread; the player hears of a refusal when it is known.
    PlayerStages::Import(path, [path, owner = QPointer<QWidget>(parent)](const PlayerStages::Added& added) {
        if (added.error.isEmpty())
            return;
        MsgBox(owner,
               QStringLiteral("「%1」はステージに追加できません。\r\n%2").arg(QFileInfo(path).fileName(), added.error),
               QStringLiteral("ズミラク"), QMessageBox::Ok);
    });
}
