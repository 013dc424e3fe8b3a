// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/WorkshopDraft.h"

#include "records/StoreFile.h"
#include "shared/CrashSafeFile.h"
#include "stages/StageFolder.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <cstring>

namespace {

// A draft that does not read as a stage file is renamed as a damaged record
// file is, and kept there for whoever wants to look: the next keep must not
// write over it.
void SetAside(const QString& path, const QString& reason)
{
    const QString base = StoreFile::DamagedName(path, QDateTime::currentDateTime());
    QString target = base;
    for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = base + u'-' + QString::number(n);
    if (QFile::rename(path, target))
        qWarning("The workshop's drawing kept in %s cannot be read (%s); it was kept as %s.", qUtf8Printable(path),
                 qUtf8Printable(reason), qUtf8Printable(target));
    else
        qWarning("The workshop's drawing kept in %s cannot be read (%s) and cannot be moved aside.",
                 qUtf8Printable(path), qUtf8Printable(reason));
}

} // namespace

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
    // Something else in the draft's place (a folder) is no draft of ours:
    // it stays, and keeping a drawing fails and says so.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    const StageFileReading reading = ReadStageFileAt(path);
    if (!reading.ok()) {
        SetAside(path, reading.reasonForLog);
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
