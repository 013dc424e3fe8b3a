// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageFolderActions.h"

#include "stages/FigureKey.h"
#include "stages/FigureProver.h"
#include "stages/PlayerStageList.h"
#include "stages/StageFile.h"
#include "stages/StageFileNumbers.h"
#include "stages/StageFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <cstring>

namespace StageFolderActions {

namespace {

PlayerStages::Added Refused(const QString& error)
{
    PlayerStages::Added added;
    added.error = error;
    return added;
}

QString ProofRefusal(Rules::Verdict verdict)
{
    return verdict == Rules::Verdict::NotClearable ? QCoreApplication::translate("PlayerStages", "クリアできない配置です")
                                                   : QCoreApplication::translate("PlayerStages", "クリアできるか確かめきれませんでした");
}

// The listed stage with these cells, its file looked at on disk first: what
// was written there since, by hand, counts.
std::optional<int> ListedOnDisk(PlayerStageList& list, const Rules::Figure& figure)
{
    const std::optional<int> index = list.IndexOf(figure);
    if (!index)
        return std::nullopt;
    const QString path = list.Entries()[std::size_t(*index)].path;
    if (StageFolder::SignatureOf(path))
        list.Take(StageFolder::ReadFile(path));
    else
        list.Drop(path);
    return list.IndexOf(figure);
}

// Writes the stage's file anew under the new title, in its place.
PlayerStages::Added Rename(PlayerStageList& list, int index, const QString& title)
{
    const PlayerStages::Entry entry = list.Entries()[std::size_t(index)];
    if (const int error = StageFolder::WriteWhole(entry.path, WriteStageFile(title, entry.figure)); error != 0) {
        qWarning("The stage file %s could not be written: %s", qUtf8Printable(entry.path), std::strerror(error));
        return Refused(CannotSave());
    }
    list.Take(StageFolder::ReadFile(entry.path));
    PlayerStages::Added added;
    added.renamed = true;
    return added;
}

PlayerStages::Added AddNew(PlayerStageList& list, const QString& title, const Rules::Figure& figure)
{
    FigureProver::Instance().KeepOnDisk(figure, true);
    const QString folder = StageFolder::Path();
    const StageFileNumbers::NewFile file = StageFileNumbers::WriteNew(folder, StageFileSuffix, WriteStageFile(title, figure));
    if (file.path.isEmpty()) {
        qWarning("No new stage file could be written in %s: %s", qUtf8Printable(folder), std::strerror(file.error));
        if (!list.Holds(PackedCells(figure)))
            FigureProver::Instance().KeepOnDisk(figure, false);
        return Refused(CannotSave());
    }
    list.Take(StageFolder::ReadFile(file.path));
    return {};
}

} // namespace

QString CannotSave() { return QCoreApplication::translate("PlayerStages", "ステージを保存できませんでした"); }

QString WritingRefusal(const QString& title, const Rules::Figure& figure)
{
    return ReadStageFile(WriteStageFile(title, figure)).reason;
}

std::optional<PlayerStages::Added> AddIfProven(PlayerStageList& list, const QString& title, const Rules::Figure& figure)
{
    if (const std::optional<int> index = ListedOnDisk(list, figure)) {
        if (list.Entries()[std::size_t(*index)].title != title)
            return Rename(list, *index, title);
        PlayerStages::Added added;
        added.alreadyThere = true;
        return added;
    }
    const std::optional<FigureProof> proof = FigureProver::Instance().Known(figure);
    if (!proof)
        return std::nullopt;
    if (proof->verdict != Rules::Verdict::Clearable)
        return Refused(ProofRefusal(proof->verdict));
    return AddNew(list, title, figure);
}

bool Remove(PlayerStageList& list, const Rules::Figure& figure)
{
    const QStringList holding = list.PathsHolding(PackedCells(figure));
    if (holding.isEmpty())
        return true;
    // Only a file that holds the figure now goes: what was written there
    // since, by hand, stays.
    bool removed = true;
    for (const QString& path : holding) {
        const StageFolder::File file = StageFolder::ReadFile(path);
        if (file.reading.ok() && file.reading.stage.figure == figure) {
            if (!QFile::remove(path) && QFileInfo::exists(path)) {
                removed = false;
                list.Take(StageFolder::ReadFile(path));
                continue;
            }
            list.Drop(path);
        } else if (StageFolder::SignatureOf(path)) {
            list.Take(file);
        } else {
            list.Drop(path);
        }
    }
    return removed;
}

} // namespace StageFolderActions
