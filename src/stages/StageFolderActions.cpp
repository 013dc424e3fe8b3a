// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageFolderActions.h"

#include "stages/FigureKey.h"
#include "stages/FigureProver.h"
#include "stages/PlayerStageList.h"
#include "stages/StageFile.h"
#include "stages/StageFileNumbers.h"
#include "stages/StageFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>
#include <QtDebug>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace StageFolderActions {

namespace {

// Another copy holds the lock for one write, a few milliseconds. One that
// holds it far longer is stopped or hung: then we go on without it rather
// than freeze the window.
constexpr int LockWaitMilliseconds = 2000;

// The folder's lock, shared by every copy of the program: a file of the
// folder locked with flock (released by the system however a copy ends).
// Its name does not end in the stage files' suffix: it is never read as one.
class FolderLock {
public:
    explicit FolderLock(const QString& folder)
    {
        if (folder.isEmpty() || !QDir().mkpath(folder))
            return;
        fd_ = ::open(QFile::encodeName(folder + QStringLiteral("/.lock")).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            qWarning("The stages folder %s cannot be locked: %s", qUtf8Printable(folder), std::strerror(errno));
            return;
        }
        QElapsedTimer waited;
        waited.start();
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || waited.hasExpired(LockWaitMilliseconds)) {
                qWarning("The stages folder %s is written without its lock: %s", qUtf8Printable(folder),
                         errno == EWOULDBLOCK ? "another copy holds it" : std::strerror(errno));
                return;
            }
            QThread::msleep(2);
        }
    }
    ~FolderLock()
    {
        if (fd_ >= 0)
            ::close(fd_);  // releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_ = -1;
};

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

// The files of the folder the list has not read yet (written a moment ago
// by another copy, or still settling) are looked into for the figure: one
// that holds it is taken into the list. Each such file is read once for as
// long as it does not change.
std::optional<int> UnlistedOnDisk(PlayerStageList& list, const Rules::Figure& figure)
{
    struct Peeked {
        StageFolder::Signature signature;
        QByteArray key;
    };
    static QHash<QString, Peeked> peeked;
    const QString folder = StageFolder::Path();
    const QByteArray key = PackedCells(figure);
    QHash<QString, Peeked> stillUnread;
    std::optional<StageFolder::File> holding;
    for (const QString& name : StageFolder::Names()) {
        if (list.SignatureOf(name))
            continue;
        const QString path = folder + u'/' + name;
        const std::optional<StageFolder::Signature> signature = StageFolder::SignatureOf(path);
        if (!signature)
            continue;
        if (const auto known = peeked.constFind(name); known != peeked.cend() && known->signature == *signature) {
            stillUnread.insert(name, *known);
            if (known->key != key || holding)
                continue;
        }
        StageFolder::File file = StageFolder::ReadFile(path);
        const QByteArray held = file.reading.ok() ? PackedCells(file.reading.stage.figure) : QByteArray();
        stillUnread.insert(name, {file.signature, held});
        if (held == key && !holding)
            holding = std::move(file);
    }
    peeked = std::move(stillUnread);
    if (!holding)
        return std::nullopt;
    peeked.remove(QFileInfo(holding->path).fileName());
    list.Take(std::move(*holding));
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
    const FolderLock lock(StageFolder::Path());
    std::optional<int> index = ListedOnDisk(list, figure);
    if (!index)
        index = UnlistedOnDisk(list, figure);
    if (index) {
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
    const FolderLock lock(StageFolder::Path());
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
