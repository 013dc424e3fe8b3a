// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/PlayerStageList.h"

#include "stages/FigureKey.h"
#include "stages/FigureProver.h"
#include "stages/PlayerStageRecords.h"
#include "stages/StageFileNumbers.h"

#include <QFileInfo>
#include <QtDebug>

namespace {

QString ProofRefusalForLog(Rules::Verdict verdict)
{
    return verdict == Rules::Verdict::NotClearable ? QStringLiteral("not clearable") : QStringLiteral("unknown (limit)");
}

bool SameReading(const StageFileReading& a, const StageFileReading& b)
{
    return a.reasonForLog == b.reasonForLog && a.stage.title == b.stage.title && a.stage.layout == b.stage.layout
           && a.stage.figure == b.stage.figure;
}

} // namespace

bool PlayerStageList::FileOrder::operator<(const FileOrder& other) const
{
    if (numbered != other.numbered)
        return numbered;
    if (numbered && number != other.number)
        return number < other.number;
    return name < other.name;
}

PlayerStageList::FileOrder PlayerStageList::OrderOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const std::optional<qint64> number = StageFileNumbers::Number(name);
    return {number.has_value(), number.value_or(0), name};
}

PlayerStageList::FileState PlayerStageList::StateOf(StageFolder::File file)
{
    FileState state;
    if (file.reading.ok()) {
        state.key = PackedCells(file.reading.stage.figure);
        state.recordKey = PlayerStageRecords::RecordKey(file.reading.stage.figure);
    }
    state.file = std::move(file);
    return state;
}

// Counts the files holding a figure: the folder's figures are proven, and
// their proofs kept on disk; a figure no file holds any more is let go.
void PlayerStageList::Hold(const QByteArray& key, int change)
{
    if (key.isEmpty())
        return;
    int& count = holders_[key];
    count += change;
    if (count > 0 && count == change) {
        const std::optional<Rules::Figure> figure = FigureOfPackedCells(key);
        FigureProver::Instance().KeepOnDisk(*figure, true);
        FigureProver::Instance().Request(*figure, FigureProver::Priority::Folder);
    } else if (count <= 0) {
        holders_.remove(key);
        FigureProver::Instance().KeepOnDisk(*FigureOfPackedCells(key), false);
    }
}

void PlayerStageList::ReportOnce(const QString& path, const QString& why)
{
    if (reported_.contains(path))
        return;
    reported_.insert(path);
    qWarning("The stage file %s is left out: %s", qUtf8Printable(path), qUtf8Printable(why));
}

void PlayerStageList::Take(StageFolder::File file)
{
    const FileOrder order = OrderOf(file.path);
    FileState state = StateOf(std::move(file));
    const auto found = files_.find(order);
    if (found != files_.end()) {
        if (SameReading(found->second.file.reading, state.file.reading)) {
            found->second.file.signature = state.file.signature;
            return;
        }
        reported_.remove(found->second.file.path);  // a new reading has its own say
        Hold(found->second.key, -1);
    }
    Hold(state.key, +1);
    files_.insert_or_assign(order, std::move(state));
    stale_ = true;
}

void PlayerStageList::Drop(const QString& path)
{
    const auto found = files_.find(OrderOf(path));
    if (found == files_.end())
        return;
    Hold(found->second.key, -1);
    reported_.remove(path);
    files_.erase(found);
    stale_ = true;
}

void PlayerStageList::TakeAll(std::vector<StageFolder::File> read)
{
    std::map<FileOrder, FileState> files;
    for (StageFolder::File& file : read) {
        const FileOrder order = OrderOf(file.path);
        files.insert_or_assign(order, StateOf(std::move(file)));
    }
    for (const auto& [order, state] : files)
        Hold(state.key, +1);
    for (const auto& [order, state] : files_) {
        Hold(state.key, -1);
        // A file gone or changed has its own say again.
        const auto now = files.find(order);
        if (now == files.end() || !SameReading(now->second.file.reading, state.file.reading))
            reported_.remove(state.file.path);
    }
    files_ = std::move(files);
    stale_ = true;
}

std::optional<StageFolder::Signature> PlayerStageList::SignatureOf(const QString& name) const
{
    const auto found = files_.find(OrderOf(name));
    if (found == files_.end())
        return std::nullopt;
    return found->second.file.signature;
}

QStringList PlayerStageList::Names() const
{
    QStringList names;
    for (const auto& [order, state] : files_)
        names << order.name;
    return names;
}

QStringList PlayerStageList::PathsHolding(const QByteArray& key) const
{
    QStringList paths;
    if (!holders_.contains(key))
        return paths;
    for (const auto& [order, state] : files_) {
        if (state.key == key)
            paths << state.file.path;
    }
    return paths;
}

bool PlayerStageList::ProofKnown(const QByteArray& key)
{
    if (!holders_.contains(key))
        return false;
    stale_ = true;
    return true;
}

// Makes the list anew from the files, when something changed.
const std::vector<PlayerStages::Entry>& PlayerStageList::Entries()
{
    if (!stale_)
        return entries_;
    stale_ = false;
    std::vector<PlayerStages::Entry> entries;
    entries.reserve(files_.size());
    QHash<QByteArray, int> listed;
    QHash<QByteArray, QString> firstHolder;
    const FigureProver& prover = FigureProver::Instance();
    for (const auto& [order, state] : files_) {
        const StageFolder::File& file = state.file;
        if (!file.reading.ok()) {
            ReportOnce(file.path, file.reading.reasonForLog);
            continue;
        }
        if (const auto twin = firstHolder.constFind(state.key); twin != firstHolder.cend()) {
            ReportOnce(file.path, QStringLiteral("the same figure as %1").arg(*twin));
            continue;
        }
        firstHolder.insert(state.key, file.path);
        const StageText& stage = file.reading.stage;
        PlayerStages::Entry entry{file.path, stage.title, stage.layout, stage.figure, state.recordKey, false, 0};
        if (const std::optional<FigureProof> proof = prover.Known(stage.figure)) {
            if (proof->verdict != Rules::Verdict::Clearable) {
                ReportOnce(file.path, ProofRefusalForLog(proof->verdict));
                continue;
            }
            entry.proven = true;
            entry.stars = proof->stars;
        }
        if (entry.title.isEmpty())
            entry.title = PlayerStages::DefaultTitle(PlayerStages::Number(int(entries.size())));
        listed.insert(state.key, int(entries.size()));
        entries.push_back(std::move(entry));
    }
    entries_ = std::move(entries);
    listed_ = std::move(listed);
    return entries_;
}

std::optional<int> PlayerStageList::IndexOf(const Rules::Figure& figure)
{
    Entries();
    const auto found = listed_.constFind(PackedCells(figure));
    if (found == listed_.cend())
        return std::nullopt;
    return *found;
}

bool PlayerStageList::Publish()
{
    Entries();
    if (entries_ == published_)
        return false;
    published_ = entries_;
    return true;
}
