// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/PlayerStages.h"

#include "stages/FigureKey.h"
#include "stages/FigureProver.h"
#include "stages/FolderScan.h"
#include "stages/FolderWatch.h"
#include "stages/PlayerStageList.h"
#include "stages/PlayerStageRecords.h"
#include "stages/StageFile.h"
#include "stages/StageFolder.h"
#include "stages/StageFolderActions.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>

namespace PlayerStages {

namespace {

// Changes that come by themselves (proofs ending, files changed by hand) are
// told to the windows together, at most this often: each window goes
// through every stage when told.
constexpr int TellMilliseconds = 250;

// Names changed on disk are looked at together, at most this often: an
// editor saving a file, or a file manager copying many, changes the folder
// several times in a row. The wait is never made longer by further changes.
constexpr int LookMilliseconds = 150;

// An Add waiting for its figure's proof.
struct Waiting {
    QString title;
    Rules::Figure figure;
    AfterAdd afterwards;
};

struct Stages {
    bool read = false;
    PlayerStageList list;
    std::unique_ptr<FolderScan> scan;  // what changed on disk since the list read it
    QHash<QByteArray, std::vector<Waiting>> waiting;
    QObject* following = nullptr;  // owns what follows the folder and the proofs, once an event loop may run
    FolderWatch* watch = nullptr;
    QStringList namesToLook;
    bool lookAtAll = false;
    QTimer* lookTimer = nullptr;    // looks at the names changed
    QTimer* settleTimer = nullptr;  // looks again at the files still being written
    QTimer* tellTimer = nullptr;
};

Stages& TheStages()
{
    static Stages stages;
    return stages;
}

// ---- Telling the windows ---------------------------------------------------

// Hands the list now to the windows, and tells them, when it changed.
void Publish()
{
    if (TheStages().list.Publish())
        PlayerStagesNotice::Instance().TellStagesChanged();
}

void TellSoon()
{
    Stages& stages = TheStages();
    if (stages.tellTimer && !stages.tellTimer->isActive())
        stages.tellTimer->start();
}

// ---- Following the folder --------------------------------------------------

void LookAgainAt(std::optional<qint64> steadyNs, FolderScan::Now now)
{
    Stages& stages = TheStages();
    if (!steadyNs || !stages.settleTimer)
        return;
    const qint64 inMs = std::max<qint64>(0, (*steadyNs - now.steadyNs) / 1'000'000) + 1;
    if (!stages.settleTimer->isActive() || stages.settleTimer->remainingTime() > inMs)
        stages.settleTimer->start(int(std::min<qint64>(inMs, FolderScan::LongestWaitNs / 1'000'000)));
}

// Reads the files that changed and are quiet, and lets go of those gone.
void TakeChanges(const FolderScan::Changes& changes, FolderScan::Now now)
{
    Stages& stages = TheStages();
    const QString folder = stages.scan->Folder();
    for (const QString& name : changes.ready)
        stages.list.Take(StageFolder::ReadFile(folder + u'/' + name));
    for (const QString& name : changes.gone)
        stages.list.Drop(folder + u'/' + name);
    LookAgainAt(changes.lookAgainNs, now);
    if (!changes.ready.isEmpty() || !changes.gone.isEmpty())
        TellSoon();
}

void LookAtChanged()
{
    Stages& stages = TheStages();
    if (!stages.read)
        return;
    const FolderScan::Now now = FolderScan::ClockNow();
    const FolderScan::Changes changes = stages.lookAtAll ? stages.scan->LookAtAll(stages.list.Names(), now)
                                                         : stages.scan->Look(stages.namesToLook, now);
    stages.lookAtAll = false;
    stages.namesToLook.clear();
    TakeChanges(changes, now);
}

void LookSoon()
{
    Stages& stages = TheStages();
    if (stages.lookTimer && !stages.lookTimer->isActive())
        stages.lookTimer->start();
}

// Watches the folder now at the path (the old watch goes).
void WatchFolder()
{
    Stages& stages = TheStages();
    if (!stages.following)
        return;
    delete stages.watch;
    stages.watch = new FolderWatch(Folder(), stages.following);
    QObject::connect(stages.watch, &FolderWatch::NamesChanged, stages.following, [](const QStringList& names) {
        Stages& stages = TheStages();
        bool counts = false;
        for (const QString& name : names) {
            if (stages.scan && stages.scan->Counts(name)) {
                stages.namesToLook << name;
                counts = true;
            }
        }
        if (counts)
            LookSoon();
    });
    QObject::connect(stages.watch, &FolderWatch::FolderChanged, stages.following, [] {
        TheStages().lookAtAll = true;
        LookSoon();
    });
}

void ReadWholeFolder()
{
    Stages& stages = TheStages();
    stages.read = true;
    const QString folder = Folder();
    FigureProver::Instance().SetFile(QFileInfo(folder).path() + QStringLiteral("/proofs"));
    if (!stages.scan || stages.scan->Folder() != folder) {
        stages.scan = std::make_unique<FolderScan>(folder, StageFileSuffix,
                                                   [](const QString& name) { return TheStages().list.SignatureOf(name); });
        WatchFolder();
    }
    stages.scan->Clear();
    stages.namesToLook.clear();
    stages.lookAtAll = false;
    std::vector<StageFolder::File> files;
    for (const QString& name : StageFolder::Names())
        files.push_back(StageFolder::ReadFile(folder + u'/' + name));
    stages.list.TakeAll(std::move(files));
}

void ContinueAdd(const Waiting& add);

void FollowProof(const Rules::Figure& figure)
{
    Stages& stages = TheStages();
    const QByteArray key = PackedCells(figure);
    if (stages.list.ProofKnown(key))
        TellSoon();
    if (const auto waiting = stages.waiting.find(key); waiting != stages.waiting.end()) {
        const std::vector<Waiting> ready = std::move(*waiting);
        stages.waiting.erase(waiting);
        for (const Waiting& add : ready)
            ContinueAdd(add);
    }
}

QTimer* SingleShot(int milliseconds, void (*timeout)())
{
    auto* timer = new QTimer(TheStages().following);
    timer->setSingleShot(true);
    timer->setInterval(milliseconds);
    QObject::connect(timer, &QTimer::timeout, timeout);
    return timer;
}

// Once an event loop may run: the folder and the proofs are followed.
void Follow()
{
    Stages& stages = TheStages();
    if (stages.following || !QCoreApplication::instance())
        return;
    stages.following = new QObject(QCoreApplication::instance());
    QObject::connect(stages.following, &QObject::destroyed, [] {
        Stages& stages = TheStages();
        stages.following = nullptr;
        stages.watch = nullptr;
        stages.lookTimer = stages.settleTimer = stages.tellTimer = nullptr;
    });
    stages.lookTimer = SingleShot(LookMilliseconds, &LookAtChanged);
    stages.settleTimer = SingleShot(0, [] {
        const FolderScan::Now now = FolderScan::ClockNow();
        if (TheStages().scan)
            TakeChanges(TheStages().scan->LookAgain(now), now);
    });
    stages.tellTimer = SingleShot(TellMilliseconds, &Publish);
    QObject::connect(&FigureProver::Instance(), &FigureProver::Proven, stages.following, &FollowProof);
    if (stages.scan)
        WatchFolder();
}

// The list now; the folder is read whole the first time.
const std::vector<Entry>& Current()
{
    Follow();
    if (!TheStages().read) {
        ReadWholeFolder();
        TheStages().list.Publish();  // what the windows find at first, untold
    }
    return TheStages().list.Entries();
}

// ---- Adding ----------------------------------------------------------------

Added Refused(const QString& error)
{
    Added added;
    added.error = error;
    return added;
}

// The stage's place in the list as it is now, the windows told first.
Added Placed(Added added, const Rules::Figure& figure)
{
    if (added.error.isEmpty()) {
        Publish();
        added.index = TheStages().list.IndexOf(figure).value_or(-1);
        if (added.index < 0)
            added.error = StageFolderActions::CannotSave();
    }
    return added;
}

// Calls `afterwards` in a later turn of the event loop, with the stage's
// place in the list as it is then.
void Later(const AfterAdd& afterwards, const Added& added, const Rules::Figure& figure)
{
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [afterwards, added, figure] { afterwards(Placed(added, figure)); });
}

QString TitleFor(const QString& typedTitle, const Rules::Figure& figure)
{
    return typedTitle.isEmpty() ? TitleLeftEmpty(figure) : typedTitle;
}

void ContinueAdd(const Waiting& add)
{
    const QString title = TitleFor(add.title, add.figure);
    if (const std::optional<Added> added = StageFolderActions::AddIfProven(TheStages().list, title, add.figure)) {
        Later(add.afterwards, *added, add.figure);
        return;
    }
    TheStages().waiting[PackedCells(add.figure)].push_back(add);
    FigureProver::Instance().Request(add.figure, FigureProver::Priority::Adding);
}

} // namespace

QString Folder() { return StageFolder::Path(); }

QString DefaultTitle(int number) { return QCoreApplication::translate("PlayerStages", "自作%1").arg(number); }

const std::vector<Entry>& All()
{
    Current();
    return TheStages().list.Published();
}

QString TitleLeftEmpty(const Rules::Figure& figure)
{
    const std::vector<Entry>& entries = Current();
    if (const std::optional<int> index = TheStages().list.IndexOf(figure))
        return entries[std::size_t(*index)].title;
    return DefaultTitle(Number(int(entries.size())));
}

void Reload()
{
    Follow();
    ReadWholeFolder();
    TheStages().list.Publish();
    PlayerStagesNotice::Instance().TellStagesChanged();
}

void Add(const QString& typedTitle, const Rules::Figure& figure, const AfterAdd& afterwards)
{
    Current();
    if (const QString refusal = StageFolderActions::WritingRefusal(TitleFor(typedTitle, figure), figure); !refusal.isEmpty()) {
        Later(afterwards, Refused(refusal), figure);
        return;
    }
    ContinueAdd({typedTitle, figure, afterwards});
}

Added AddProvenNow(const QString& typedTitle, const Rules::Figure& figure)
{
    Current();
    const QString title = TitleFor(typedTitle, figure);
    if (const QString refusal = StageFolderActions::WritingRefusal(title, figure); !refusal.isEmpty())
        return Refused(refusal);
    return Placed(StageFolderActions::AddIfProven(TheStages().list, title, figure)
                      .value_or(Refused(StageFolderActions::CannotSave())),
                  figure);
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
    const bool removed = StageFolderActions::Remove(TheStages().list, figure);
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
