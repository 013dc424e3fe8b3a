// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/PlayerStages.h"

#include "shared/CrashSafeFile.h"
#include "stages/FigureProofs.h"
#include "stages/LayoutString.h"
#include "stages/PlayerStageRecords.h"
#include "stages/StageFile.h"
#include "stages/StageFileNumbers.h"
#include "stages/StageFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtDebug>

#include <algorithm>
#include <cstring>
#include <optional>

namespace PlayerStages {

namespace {

// An Add waiting for its figure's proof.
struct Waiting {
    QString title;
    Rules::Figure figure;
    Done done;
};

struct List {
    bool read = false;
    std::vector<Entry> entries;
    QSet<QString> reported;  // files already named on standard error
    std::vector<Waiting> waiting;
    StageFolderWatch* watch = nullptr;
};

List& TheList()
{
    static List list;
    return list;
}

void ReportOnce(const QString& path, const QString& why)
{
    if (TheList().reported.contains(path))
        return;
    TheList().reported.insert(path);
    qWarning("The stage file %s is left out: %s", qUtf8Printable(path), qUtf8Printable(why));
}

std::optional<int> IndexOf(const std::vector<Entry>& entries, const Rules::Figure& figure)
{
    const auto found =
        std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) { return entry.figure == figure; });
    if (found == entries.end())
        return std::nullopt;
    return static_cast<int>(found - entries.begin());
}

QString ProofRefusal(Rules::Verdict verdict)
{
    return verdict == Rules::Verdict::NotClearable ? QCoreApplication::translate("PlayerStages", "クリアできない配置です")
                                                   : QCoreApplication::translate("PlayerStages", "クリアできるか確かめきれませんでした");
}

QString ProofRefusalForLog(Rules::Verdict verdict)
{
    return verdict == Rules::Verdict::NotClearable ? QStringLiteral("not clearable") : QStringLiteral("unknown (limit)");
}

void FollowProofs();
void WatchFolder();

// Reads the folder; true when the list changed.
bool ReadFolder()
{
    List& list = TheList();
    list.read = true;
    FigureProofs::Instance().SetFile(QFileInfo(Folder()).path() + QStringLiteral("/proofs"));
    std::vector<Entry> entries;
    QStringList paths;
    for (const StageFolder::File& file : StageFolder::Read()) {
        paths << file.path;
        if (!file.reading.ok()) {
            ReportOnce(file.path, file.reading.reasonForLog);
            continue;
        }
        const StageText& stage = file.reading.stage;
        if (const std::optional<int> twin = IndexOf(entries, stage.figure)) {
            ReportOnce(file.path, QStringLiteral("the same figure as %1").arg(entries[std::size_t(*twin)].path));
            continue;
        }
        Entry entry{file.path, stage.title, stage.layout, stage.figure,
                    PlayerStageRecords::RecordKey(stage.figure), false, 0};
        if (const std::optional<FigureProofs::Proof> proof = FigureProofs::Instance().Known(stage.figure)) {
            if (proof->verdict != Rules::Verdict::Clearable) {
                ReportOnce(file.path, ProofRefusalForLog(proof->verdict));
                continue;
            }
            entry.proven = true;
            entry.stars = proof->stars;
            FigureProofs::Instance().Keep(stage.figure);
        } else {
            FigureProofs::Instance().Request(stage.figure);
        }
        if (entry.title.isEmpty())
            entry.title = DefaultTitle(Number(int(entries.size())));
        entries.push_back(entry);
    }
    if (list.watch)
        list.watch->Watch(paths);
    const bool changed = entries != list.entries;
    list.entries = std::move(entries);
    return changed;
}

void ReadAndTell()
{
    if (ReadFolder())
        PlayerStagesNotice::Instance().TellStagesChanged();
}

// Once an event loop may run: the folder and the proofs are followed.
void WatchFolder()
{
    List& list = TheList();
    if (list.watch || !QCoreApplication::instance())
        return;
    list.watch = new StageFolderWatch(QCoreApplication::instance());
    QObject::connect(list.watch, &QObject::destroyed, [] { TheList().watch = nullptr; });
    QObject::connect(list.watch, &StageFolderWatch::Changed, list.watch, [] { ReadAndTell(); });
    QObject::connect(&FigureProofs::Instance(), &FigureProofs::Proven, list.watch, [] { FollowProofs(); });
}

// The files that hold the figure now, whatever the list remembers.
QStringList FilesHolding(const Rules::Figure& figure)
{
    QStringList paths;
    for (const StageFolder::File& file : StageFolder::Read()) {
        if (file.reading.ok() && file.reading.stage.figure == figure)
            paths << file.path;
    }
    return paths;
}

Added Refused(const QString& error)
{
    Added added;
    added.error = error;
    return added;
}

Added CannotSave()
{
    return Refused(QCoreApplication::translate("PlayerStages", "ステージを保存できませんでした"));
}

// Writes the stage's file anew under the new title, in its place.
Added Rename(int index, const QString& title)
{
    const Entry entry = TheList().entries[std::size_t(index)];  // a copy: the list is read again below
    const QStringList files = FilesHolding(entry.figure);
    if (files.isEmpty())
        return CannotSave();
    const QString path = files.contains(entry.path) ? entry.path : files.front();
    if (const int error = CrashSafeFile::Replace(path, WriteStageFile(title, entry.figure)); error != 0) {
        qWarning("The stage file %s could not be written: %s", qUtf8Printable(path), std::strerror(error));
        return CannotSave();
    }
    ReadAndTell();
    Added added;
    added.index = IndexOf(TheList().entries, entry.figure).value_or(-1);
    added.renamed = true;
    return added;
}

Added AddProven(const QString& title, const Rules::Figure& figure)
{
    FigureProofs::Instance().Keep(figure);
    const StageFileNumbers::NewFile file = StageFileNumbers::WriteNew(Folder(), StageFileSuffix, WriteStageFile(title, figure));
    if (file.path.isEmpty()) {
        qWarning("No new stage file could be written in %s: %s", qUtf8Printable(Folder()), std::strerror(file.error));
        return CannotSave();
    }
    ReadAndTell();
    Added added;
    added.index = IndexOf(TheList().entries, figure).value_or(-1);
    return added;
}

// Adds waiting for a proof carry on once theirs is known.
void FollowProofs()
{
    ReadAndTell();
    std::vector<Waiting>& waiting = TheList().waiting;
    std::vector<Waiting> ready;
    for (auto it = waiting.begin(); it != waiting.end();) {
        if (FigureProofs::Instance().Known(it->figure)) {
            ready.push_back(std::move(*it));
            it = waiting.erase(it);
        } else {
            ++it;
        }
    }
    for (const Waiting& add : ready)
        Add(add.title, add.figure, add.done);
}

} // namespace

QString Folder() { return StageFolder::Path(); }

QString DefaultTitle(int number) { return QCoreApplication::translate("PlayerStages", "自作%1").arg(number); }

const std::vector<Entry>& All()
{
    WatchFolder();
    if (!TheList().read)
        ReadFolder();
    return TheList().entries;
}

QString TitleLeftEmpty(const Rules::Figure& figure)
{
    const std::vector<Entry>& entries = All();
    if (const std::optional<int> index = IndexOf(entries, figure))
        return entries[std::size_t(*index)].title;
    return DefaultTitle(Number(int(entries.size())));
}

void Reload()
{
    WatchFolder();
    ReadFolder();
    PlayerStagesNotice::Instance().TellStagesChanged();
}

void Add(const QString& typedTitle, const Rules::Figure& figure, const Done& done)
{
    WatchFolder();
    ReadAndTell();  // what is on disk now, not what was read before
    const QString title = typedTitle.isEmpty() ? TitleLeftEmpty(figure) : typedTitle;
    // The file is checked as any file from outside would be, so that what
    // is written can always be read back.
    const StageFileReading reading = ReadStageFile(WriteStageFile(title, figure));
    if (!reading.ok()) {
        done(Refused(reading.reason));
        return;
    }
    const std::vector<Entry>& entries = TheList().entries;
    if (const std::optional<int> index = IndexOf(entries, figure)) {
        if (entries[std::size_t(*index)].title != title) {
            done(Rename(*index, title));
            return;
        }
        Added added;
        added.index = *index;
        added.alreadyThere = true;
        done(added);
        return;
    }
    const std::optional<FigureProofs::Proof> proof = FigureProofs::Instance().Known(figure);
    if (!proof) {
        TheList().waiting.push_back({typedTitle, figure, done});
        FigureProofs::Instance().Request(figure);
        return;
    }
    if (proof->verdict != Rules::Verdict::Clearable) {
        done(Refused(ProofRefusal(proof->verdict)));
        return;
    }
    done(AddProven(title, figure));
}

void Import(const QString& filePath, const Done& done)
{
    const StageFileReading reading = ReadStageFileAt(filePath);
    if (!reading.ok()) {
        done(Refused(reading.reason));
        return;
    }
    Add(reading.stage.title, reading.stage.figure, done);
}

bool Remove(const Rules::Figure& figure)
{
    bool removed = true;
    for (const QString& path : FilesHolding(figure)) {
        if (!QFile::remove(path) && QFileInfo::exists(path))
            removed = false;
    }
    if (removed) {
        const QString key = PlayerStageRecords::RecordKey(figure);
        PlayerStagesNotice::Instance().TellStageRemoved(key);
        PlayerStageRecords::Reset(key);
    }
    ReadAndTell();
    return removed;
}

std::vector<KeyStore::RegWrite> InitialRecords()
{
    QStringList keys;
    for (const Entry& entry : All())
        keys << entry.recordKey;
    return PlayerStageRecords::InitialRecords(keys);
}

} // namespace PlayerStages

PlayerStagesNotice& PlayerStagesNotice::Instance()
{
    static PlayerStagesNotice notice;
    return notice;
}
