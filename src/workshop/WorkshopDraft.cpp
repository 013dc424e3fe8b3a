// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/WorkshopDraft.h"

#include "shared/CrashSafeFile.h"
#include "stages/StageFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <cstring>

namespace WorkshopDraft {

QString Path()
{
    // Beside the stages folder, not in it: a draft is no stage.
    const QString stages = StageFolder::Path();
    return stages.isEmpty() ? QString() : QFileInfo(stages).path() + QStringLiteral("/draft.") + StageFileSuffix;
}

bool Keep(const QString& title, const Rules::Figure& figure)
{
    const QString path = Path();
    if (path.isEmpty())
        return false;
    if (const int error = CrashSafeFile::Replace(path, WriteStageFile(title, figure)); error != 0) {
        qWarning("The workshop's drawing could not be kept in %s: %s", qUtf8Printable(path), std::strerror(error));
        return false;
    }
    return true;
}

std::optional<StageText> Left()
{
    const QString path = Path();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return std::nullopt;
    const StageFileReading reading = ReadStageFileAt(path);
    if (!reading.ok()) {
        qWarning("The workshop's drawing kept in %s is left out: %s", qUtf8Printable(path),
                 qUtf8Printable(reading.reasonForLog));
        return std::nullopt;
    }
    return reading.stage;
}

void Drop()
{
    const QString path = Path();
    if (!path.isEmpty())
        QFile::remove(path);
}

} // namespace WorkshopDraft
