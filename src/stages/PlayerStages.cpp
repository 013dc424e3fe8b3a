// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/PlayerStages.h"

#include "stages/FigureKey.h"
#include "stages/FigureProver.h"
#include "stages/LayoutString.h"
#include "stages/PlayerStageRecords.h"
#include "stages/StageFile.h"
#include "stages/StageFileNumbers.h"
#include "stages/StageFolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTimer>
#include <QtDebug>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

namespace PlayerStages {

namespace {

// Changes that come by themselves (proofs ending, files changed by hand) are
// told to the windows together, at most this often: each window goes
// through every stage when told.
constexpr int TellMilliseconds = 250;

// A file changed on disk is read once it has not changed for this long.
constexpr int SettleMilliseconds = 2000;

// The place of a file in the list: numbered names by number, then the others by name.
struct FileOrder {
    bool numbered = false;
    qint64 number = 0;
    QString name;
    bool operator<(const FileOrder& other) const
    {
        if (numbered != other.numbered)
            return numbered;
        if (numbered && number != other.number)
            return number < other.number;
        return name < other.name;
    }
};

FileOrder OrderOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const std::optional<qint64> number = StageFileNumbers::Number(name);
    return {number.has_value(), number.value_or(0), name};
}

// A stage file as last read.
struct FileState {
    StageFolder::File file;
    QByteArray key;  // the figure's packed cells, when read whole
    QString recordKey;
};

// A file seen changed, not read yet.
struct Unsettled {
    StageFolder::Signature signature;
    QElapsedTimer since;  // seen so since
};

// An Add waiting for its figure's proof.
struct Waiting {
    QString title;
    Rules::Figure figure;
    AfterAdd afterwards;
};

struct Stages {
    bool read = false;
    std::map<FileOrder, FileState> files;  // what the folder holds, as last read
    QHash<QByteArray, int> holders;        // packed cells: how many files hold them
    std::vector<Entry> entries;            // the list now, made from `files` when stale
    QHash<QByteArray, int> listed;         // packed cells: index in `entries`
    bool stale = true;
    std::vector<Entry> published;          // the list the windows were told of
    QSet<QString> reported;  // files already named on standard error
    QHash<QByteArray, std::vector<Waiting>> waiting;
    QHash<QString, Unsettled> unsettled;
    StageFolderWatch* watch = nullptr;
    QTimer* tellTimer = nullptr;
    QTimer* settleTimer = nullptr;  // looks again at the files not settled
};

Stages& TheStages()
{
    static Stages stages;
    return stages;
}

void ReportOnce(const QString& path, const QString& why)
{
    if (TheStages().reported.contains(path))
        return;
    TheStages().reported.insert(path);
    qWarning("The stage file %s is left out: %s", qUtf8Printable(path), qUtf8Printable(why));
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

// ---- What the folder holds -------------------------------------------------

// Counts the files holding a figure: the folder's figures are proven, and
// their proofs kept on disk; a figure no file holds any more is let go.
void Hold(const QByteArray& key, int change)
{
    if (key.isEmpty())
        return;
    int& count = TheStages().holders[key];
    count += change;
    if (count > 0 && count == change) {
        const std::optional<Rules::Figure> figure = FigureOfPackedCells(key);
        FigureProver::Instance().KeepOnDisk(*figure, true);
        FigureProver::Instance().Request(*figure, FigureProver::Priority::Folder);
    } else if (count <= 0) {
        TheStages().holders.remove(key);
        FigureProver::Instance().KeepOnDisk(*FigureOfPackedCells(key), false);
    }
}

FileState StateOf(StageFolder::File file)
{
    FileState state;
    if (file.reading.ok()) {
        state.key = PackedCells(file.reading.stage.figure);
        state.recordKey = PlayerStageRecords::RecordKey(file.reading.stage.figure);
    }
    state.file = std::move(file);
    return state;
}

bool SameReading(const StageFileReading& a, const StageFileReading& b)
{
    return a.reasonForLog == b.reasonForLog && a.stage.title == b.stage.title && a.stage.layout == b.stage.layout
           && a.stage.figure == b.stage.figure;
}

// Puts what was read of one file in place of what was known of it.
void Take(StageFolder::File file)
{
    Stages& stages = TheStages();
    const FileOrder order = OrderOf(file.path);
    FileState state = StateOf(std::move(file));
    const auto found = stages.files.find(order);
    // Another file under the name (saved by renaming over it): its own watch.
    const StageFolder::Signature& now = state.file.signature;
    if (stages.watch
        && (found == stages.files.end() || found->second.file.signature.inode != now.inode
            || found->second.file.signature.device != now.device)) {
        stages.watch->ForgetFile(state.file.path);
        stages.watch->WatchFiles({state.file.path});
    }
    if (found != stages.files.end()) {
        if (SameReading(found->second.file.reading, state.file.reading)) {
            found->second.file.signature = state.file.signature;
            return;
        }
        stages.reported.remove(found->second.file.path);  // a new reading has its own say
        Hold(found->second.key, -1);
    }
    Hold(state.key, +1);
    stages.files.insert_or_assign(order, std::move(state));
    stages.stale = true;
}

void Drop(const QString& path)
{
    Stages& stages = TheStages();
    const auto found = stages.files.find(OrderOf(path));
    if (found == stages.files.end())
        return;
    Hold(found->second.key, -1);
    stages.reported.remove(path);
    stages.files.erase(found);
    if (stages.watch)
        stages.watch->ForgetFile(path);
    stages.stale = true;
}

void ReadWholeFolder()
{
    Stages& stages = TheStages();
    stages.read = true;
    FigureProver::Instance().SetFile(QFileInfo(Folder()).path() + QStringLiteral("/proofs"));
    const QString folder = Folder();
    QStringList paths;
    std::map<FileOrder, FileState> files;
    for (const QString& name : StageFolder::Names()) {
        paths << folder + u'/' + name;
        files.emplace(OrderOf(name), StateOf(StageFolder::ReadFile(paths.back())));
    }
    for (const auto& [order, state] : files)
        Hold(state.key, +1);
    for (const auto& [order, state] : stages.files) {
        Hold(state.key, -1);
        // A file gone or changed has its own say again.
        const auto now = files.find(order);
        if (now == files.end() || !SameReading(now->second.file.reading, state.file.reading))
            stages.reported.remove(state.file.path);
    }
    stages.files = std::move(files);
    stages.stale = true;
    if (stages.watch) {
        stages.watch->WatchFolder();
        stages.watch->WatchFiles(paths);
    }
}

// Whether a file changed on disk is whole, as far as one can tell: changed
// long enough ago, or seen unchanged for as long (its time may lie ahead of
// the clock). Until then it is not read: a file copied in slowly is never
// listed, nor proven, half written.
bool Settled(const QString& path, const StageFolder::Signature& signature)
{
    Stages& stages = TheStages();
    const qint64 settleNs = qint64(SettleMilliseconds) * 1'000'000;
    const qint64 nowNs = QDateTime::currentDateTimeUtc().toMSecsSinceEpoch() * 1'000'000;
    const qint64 ago = nowNs - std::max(signature.modifiedNs, signature.changedNs);
    const auto seen = stages.unsettled.find(path);
    if (ago >= settleNs
        || (seen != stages.unsettled.end() && seen->signature == signature && seen->since.hasExpired(SettleMilliseconds))) {
        stages.unsettled.remove(path);
        return true;
    }
    if (seen == stages.unsettled.end() || !(seen->signature == signature)) {
        Unsettled& fresh = stages.unsettled[path];
        fresh.signature = signature;
        fresh.since.start();
    }
    return false;
}

// Looks which files changed on disk since they were read, and reads those.
void FollowFolder()
{
    Stages& stages = TheStages();
    if (!stages.read)
        return;
    stages.watch->WatchFolder();
    const QString folder = Folder();
    QSet<QString> present;
    for (const QString& name : StageFolder::Names()) {
        const QString path = folder + u'/' + name;
        present.insert(path);
        const std::optional<StageFolder::Signature> signature = StageFolder::SignatureOf(path);
        const auto known = stages.files.find(OrderOf(name));
        if (known != stages.files.end() && signature && known->second.file.signature == *signature)
            continue;
        if (signature && !Settled(path, *signature))
            continue;
        Take(StageFolder::ReadFile(path));
    }
    for (auto it = stages.unsettled.begin(); it != stages.unsettled.end();)
        it = present.contains(it.key()) ? std::next(it) : stages.unsettled.erase(it);
    if (!stages.unsettled.isEmpty())
        stages.settleTimer->start();
    QStringList gone;
    for (const auto& [order, state] : stages.files) {
        if (!present.contains(state.file.path))
            gone << state.file.path;
    }
    for (const QString& path : gone)
        Drop(path);
}

// ---- The list --------------------------------------------------------------

// Makes the list anew from the files, when something changed.
void MakeEntries()
{
    Stages& stages = TheStages();
    if (!stages.stale)
        return;
    stages.stale = false;
    std::vector<Entry> entries;
    entries.reserve(stages.files.size());
    QHash<QByteArray, int> listed;
    QHash<QByteArray, QString> firstHolder;
    const FigureProver& prover = FigureProver::Instance();
    for (const auto& [order, state] : stages.files) {
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
        Entry entry{file.path, stage.title, stage.layout, stage.figure, state.recordKey, false, 0};
        if (const std::optional<FigureProof> proof = prover.Known(stage.figure)) {
            if (proof->verdict != Rules::Verdict::Clearable) {
                ReportOnce(file.path, ProofRefusalForLog(proof->verdict));
                continue;
            }
            entry.proven = true;
            entry.stars = proof->stars;
        }
        if (entry.title.isEmpty())
            entry.title = DefaultTitle(Number(int(entries.size())));
        listed.insert(state.key, int(entries.size()));
        entries.push_back(std::move(entry));
    }
    stages.entries = std::move(entries);
    stages.listed = std::move(listed);
}

// Hands the list now to the windows, and tells them, when it changed. What
// the windows read changes nowhere else: between two tellings it is what
// they were told of.
void Publish()
{
    Stages& stages = TheStages();
    MakeEntries();
    if (stages.entries == stages.published)
        return;
    stages.published = stages.entries;
    PlayerStagesNotice::Instance().TellStagesChanged();
}

void TellSoon()
{
    Stages& stages = TheStages();
    if (stages.tellTimer && !stages.tellTimer->isActive())
        stages.tellTimer->start();
}

// The place of the figure's stage in the list now.
std::optional<int> ListedIndex(const Rules::Figure& figure)
{
    MakeEntries();
    const auto found = TheStages().listed.constFind(PackedCells(figure));
    if (found == TheStages().listed.cend())
        return std::nullopt;
    return *found;
}

void ContinueAdd(const Waiting& add);

void FollowProof(const Rules::Figure& figure)
{
    Stages& stages = TheStages();
    const QByteArray key = PackedCells(figure);
    if (stages.holders.contains(key)) {
        stages.stale = true;
        TellSoon();
    }
    if (const auto waiting = stages.waiting.find(key); waiting != stages.waiting.end()) {
        const std::vector<Waiting> ready = std::move(*waiting);
        stages.waiting.erase(waiting);
        for (const Waiting& add : ready)
            ContinueAdd(add);
    }
}

// Once an event loop may run: the folder and the proofs are followed.
void Follow()
{
    Stages& stages = TheStages();
    if (stages.watch || !QCoreApplication::instance())
        return;
    stages.watch = new StageFolderWatch(QCoreApplication::instance());
    QObject::connect(stages.watch, &QObject::destroyed, [] {
        TheStages().watch = nullptr;
        TheStages().tellTimer = nullptr;
        TheStages().settleTimer = nullptr;
    });
    QObject::connect(stages.watch, &StageFolderWatch::Changed, stages.watch, [] {
        FollowFolder();
        TellSoon();
    });
    stages.tellTimer = new QTimer(stages.watch);
    stages.tellTimer->setSingleShot(true);
    stages.tellTimer->setInterval(TellMilliseconds);
    QObject::connect(stages.tellTimer, &QTimer::timeout, [] { Publish(); });
    stages.settleTimer = new QTimer(stages.watch);
    stages.settleTimer->setSingleShot(true);
    stages.settleTimer->setInterval(SettleMilliseconds + 100);
    QObject::connect(stages.settleTimer, &QTimer::timeout, [] {
        FollowFolder();
        TellSoon();
    });
    QObject::connect(&FigureProver::Instance(), &FigureProver::Proven, stages.watch, &FollowProof);
    if (stages.read) {
        stages.watch->WatchFolder();
        QStringList paths;
        for (const auto& [order, state] : stages.files)
            paths << state.file.path;
        stages.watch->WatchFiles(paths);
    }
}

// The list now; the folder is read whole the first time.
const std::vector<Entry>& Current()
{
    Follow();
    if (!TheStages().read) {
        ReadWholeFolder();
        MakeEntries();
        TheStages().published = TheStages().entries;
    }
    MakeEntries();
    return TheStages().entries;
}

// ---- Adding ----------------------------------------------------------------

Added Refused(const QString& error)
{
    Added added;
    added.error = error;
    return added;
}

QString CannotSave() { return QCoreApplication::translate("PlayerStages", "ステージを保存できませんでした"); }

// Calls `afterwards` in a later turn of the event loop, with the stage's
// place in the list as it is then.
void Later(const AfterAdd& afterwards, Added added, const Rules::Figure& figure)
{
    QTimer::singleShot(0, QCoreApplication::instance(), [afterwards, added, figure]() mutable {
        if (added.error.isEmpty()) {
            Publish();
            added.index = ListedIndex(figure).value_or(-1);
            if (added.index < 0)
                added.error = CannotSave();
        }
        afterwards(added);
    });
}

// The listed stage with these cells, its file looked at on disk first: what
// was written there since, by hand, counts.
std::optional<int> ListedOnDisk(const Rules::Figure& figure)
{
    const std::optional<int> index = ListedIndex(figure);
    if (!index)
        return std::nullopt;
    const QString path = TheStages().entries[std::size_t(*index)].path;
    if (StageFolder::SignatureOf(path))
        Take(StageFolder::ReadFile(path));
    else
        Drop(path);
    return ListedIndex(figure);
}

// Writes the stage's file anew under the new title, in its place.
Added Rename(int index, const QString& title)
{
    const Entry entry = TheStages().entries[std::size_t(index)];
    if (const int error = StageFolder::WriteWhole(entry.path, WriteStageFile(title, entry.figure)); error != 0) {
        qWarning("The stage file %s could not be written: %s", qUtf8Printable(entry.path), std::strerror(error));
        return Refused(CannotSave());
    }
    Take(StageFolder::ReadFile(entry.path));
    Added added;
    added.renamed = true;
    return added;
}

Added AddProven(const QString& title, const Rules::Figure& figure)
{
    FigureProver::Instance().KeepOnDisk(figure, true);
    const StageFileNumbers::NewFile file = StageFileNumbers::WriteNew(Folder(), StageFileSuffix, WriteStageFile(title, figure));
    if (file.path.isEmpty()) {
        qWarning("No new stage file could be written in %s: %s", qUtf8Printable(Folder()), std::strerror(file.error));
        if (!TheStages().holders.contains(PackedCells(figure)))
            FigureProver::Instance().KeepOnDisk(figure, false);
        return Refused(CannotSave());
    }
    Take(StageFolder::ReadFile(file.path));
    return {};
}

// What becomes of adding a figure whose file is written well, once its
// proof is known; nullopt while it is not.
std::optional<Added> AddIfProven(const QString& typedTitle, const Rules::Figure& figure)
{
    const QString title = typedTitle.isEmpty() ? TitleLeftEmpty(figure) : typedTitle;
    if (const std::optional<int> index = ListedOnDisk(figure)) {
        if (TheStages().entries[std::size_t(*index)].title != title)
            return Rename(*index, title);
        Added added;
        added.alreadyThere = true;
        return added;
    }
    const std::optional<FigureProof> proof = FigureProver::Instance().Known(figure);
    if (!proof)
        return std::nullopt;
    if (proof->verdict != Rules::Verdict::Clearable)
        return Refused(ProofRefusal(proof->verdict));
    return AddProven(title, figure);
}

void ContinueAdd(const Waiting& add)
{
    if (const std::optional<Added> added = AddIfProven(add.title, add.figure)) {
        Later(add.afterwards, *added, add.figure);
        return;
    }
    TheStages().waiting[PackedCells(add.figure)].push_back(add);
    FigureProver::Instance().Request(add.figure, FigureProver::Priority::Adding);
}

// Why a stage file of this title and figure could not be read back; empty when it could.
QString WritingRefusal(const QString& typedTitle, const Rules::Figure& figure)
{
    const QString title = typedTitle.isEmpty() ? TitleLeftEmpty(figure) : typedTitle;
    return ReadStageFile(WriteStageFile(title, figure)).reason;
}

} // namespace

QString Folder() { return StageFolder::Path(); }

QString DefaultTitle(int number) { return QCoreApplication::translate("PlayerStages", "自作%1").arg(number); }

const std::vector<Entry>& All()
{
    Current();
    return TheStages().published;
}

QString TitleLeftEmpty(const Rules::Figure& figure)
{
    const std::vector<Entry>& entries = Current();
    if (const std::optional<int> index = ListedIndex(figure))
        return entries[std::size_t(*index)].title;
    return DefaultTitle(Number(int(entries.size())));
}

void Reload()
{
    Follow();
    ReadWholeFolder();
    MakeEntries();
    TheStages().published = TheStages().entries;
    PlayerStagesNotice::Instance().TellStagesChanged();
}

void Add(const QString& typedTitle, const Rules::Figure& figure, const AfterAdd& afterwards)
{
    Current();
    // The file is checked as any file from outside would be, so that what
    // is written can always be read back.
    if (const QString refusal = WritingRefusal(typedTitle, figure); !refusal.isEmpty()) {
        Later(afterwards, Refused(refusal), figure);
        return;
    }
    ContinueAdd({typedTitle, figure, afterwards});
}

Added AddProvenNow(const QString& typedTitle, const Rules::Figure& figure)
{
    Current();
    if (const QString refusal = WritingRefusal(typedTitle, figure); !refusal.isEmpty())
        return Refused(refusal);
    Added added = AddIfProven(typedTitle, figure).value_or(Refused(CannotSave()));
    if (added.error.isEmpty()) {
        Publish();
        added.index = ListedIndex(figure).value_or(-1);
        if (added.index < 0)
            added.error = CannotSave();
    }
    return added;
}

void Import(const QString& filePath, const AfterAdd& afterwards)
{
    const StageFileReading reading = ReadStageFileAt(filePath);
    if (!reading.ok()) {
        Later(afterwards, Refused(reading.reason), {});
        return;
    }
    Add(reading.stage.title, reading.stage.figure, afterwards);
}

bool Remove(const Rules::Figure& figure)
{
    Current();
    const QByteArray key = PackedCells(figure);
    QStringList holding;
    for (const auto& [order, state] : TheStages().files) {
        if (state.key == key)
            holding << state.file.path;
    }
    // Only a file that holds the figure now goes: what was written there
    // since, by hand, stays.
    bool removed = true;
    for (const QString& path : holding) {
        const StageFolder::File file = StageFolder::ReadFile(path);
        if (file.reading.ok() && file.reading.stage.figure == figure) {
            if (!QFile::remove(path) && QFileInfo::exists(path)) {
                removed = false;
                Take(StageFolder::ReadFile(path));
                continue;
            }
            Drop(path);
        } else if (StageFolder::SignatureOf(path)) {
            Take(file);
        } else {
            Drop(path);
        }
    }
    // The windows follow the list before they hear of the record.
    Publish();
    if (removed) {
        const QString recordKey = PlayerStageRecords::RecordKey(figure);
        PlayerStagesNotice::Instance().TellStageRemoved(recordKey);
        PlayerStageRecords::Reset(recordKey);
    }
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
