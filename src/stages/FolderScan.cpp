// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/FolderScan.h"

#include "shared/FolderNames.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <ctime>

#include <sys/stat.h>

namespace {

FolderScan::Signature FromStatus(const struct stat& status)
{
    FolderScan::Signature signature;
    signature.device = quint64(status.st_dev);
    signature.inode = quint64(status.st_ino);
    signature.size = qint64(status.st_size);
    signature.modifiedNs = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    signature.changedNs = qint64(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec;
    return signature;
}

qint64 ClockNs(clockid_t clock)
{
    timespec now{};
    ::clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

std::function<FolderScan::Now()>& DrivenClock()
{
    static std::function<FolderScan::Now()> clock;
    return clock;
}

} // namespace

std::optional<FolderScan::Signature> FolderScan::SignatureOf(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) == 0)
        return S_ISDIR(status.st_mode) ? std::nullopt : std::optional(FromStatus(status));
    // A link that leads nowhere, or round in a loop, is still an entry: its
    // reading says why it is no stage.
    if (::lstat(name.constData(), &status) == 0)
        return FromStatus(status);
    return std::nullopt;
}

FolderScan::Now FolderScan::ClockNow()
{
    if (DrivenClock())
        return DrivenClock()();
    return {ClockNs(CLOCK_REALTIME), ClockNs(CLOCK_MONOTONIC)};
}

void FolderScan::SetClockForTesting(std::function<Now()> clock) { DrivenClock() = std::move(clock); }

FolderScan::FolderScan(const QString& folder, const QString& suffix, TakenSignature taken)
    : folder_(folder), suffix_(u'.' + suffix), taken_(std::move(taken))
{
}

bool FolderScan::Counts(const QString& name) const { return name.endsWith(suffix_) && !name.contains(u'/'); }

FolderScan::Changes FolderScan::Look(const QStringList& names, Now now)
{
    Changes changes;
    QSet<QString> looked;
    for (const QString& name : names) {
        if (!Counts(name) || looked.contains(name))
            continue;
        looked.insert(name);
        const std::optional<Signature> signature = SignatureOf(folder_ + u'/' + name);
        const std::optional<Signature> known = taken_(name);
        if (!signature) {
            waiting_.remove(name);
            if (known)
                changes.gone << name;
            continue;
        }
        if (known == signature) {
            waiting_.remove(name);
            continue;
        }
        if (Quiet(name, *signature, now))
            changes.ready << name;
    }
    changes.lookAgainNs = NextLook();
    return changes;
}

FolderScan::Changes FolderScan::LookAtAll(const QStringList& takenNames, Now now)
{
    QStringList names = FolderNamesWith(QDir(folder_), {}, suffix_, QDir::Files | QDir::Hidden | QDir::System);
    names += takenNames;
    names += waiting_.keys();
    return Look(names, now);
}

FolderScan::Changes FolderScan::LookAgain(Now now) { return Look(waiting_.keys(), now); }

// Whether a file seen changed is whole, as far as one can tell: changed
// long enough ago by its own times, or seen unchanged for as long (its times
// may lie ahead of the clock), or waited on for the longest wait. Until then
// it is not read: a file copied in slowly is never taken half written.
bool FolderScan::Quiet(const QString& name, const Signature& signature, Now now)
{
    const qint64 changedAgo = now.wallNs - std::max(signature.modifiedNs, signature.changedNs);
    auto seen = waiting_.find(name);
    if (seen == waiting_.end())
        seen = waiting_.insert(name, {signature, now.steadyNs, now.steadyNs, 0});
    else if (!(seen->signature == signature)) {
        seen->signature = signature;
        seen->seenSinceNs = now.steadyNs;
    }
    if (changedAgo >= SettleNs || now.steadyNs - seen->seenSinceNs >= SettleNs
        || now.steadyNs - seen->firstSeenNs >= LongestWaitNs) {
        waiting_.erase(seen);
        return true;
    }
    seen->quietAtNs = std::min({seen->seenSinceNs + SettleNs, seen->firstSeenNs + LongestWaitNs,
                                now.steadyNs + SettleNs - changedAgo});
    return false;
}

std::optional<qint64> FolderScan::NextLook() const
{
    std::optional<qint64> next;
    for (const Waiting& waiting : waiting_)
        next = next ? std::min(*next, waiting.quietAtNs) : waiting.quietAtNs;
    return next;
}
