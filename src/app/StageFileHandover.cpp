// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StageFileHandover.h"

#include "app/InstanceLock.h"
#include "app/StageImport.h"
#include "shared/FolderNames.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <limits>
#include <vector>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A request holds one path a line: a whole command line fits many times.
constexpr qint64 MaxRequestBytes = 4 * 1024 * 1024;
constexpr int PollMilliseconds = 20;
const QString RequestSuffix = QStringLiteral(".request");
const QString PartSuffix = QStringLiteral(".part");
// Requests an ending copy kept for the next start: no one waits for them.
const QString KeptStart = QStringLiteral("kept-");

// True when `folder` is a folder of this user that nobody else may enter;
// with `create`, a missing one is made so.
bool PrivateFolder(const QString& folder, bool create)
{
    const QByteArray name = QFile::encodeName(folder);
    if (create && ::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    return ::lstat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid()
           && (info.st_mode & 077) == 0;
}

bool Exists(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// A request is named after the process that made it ("4711-1.request"):
// true while that process still runs, and so still waits for an answer.
bool WriterRuns(const QString& name)
{
    bool number = false;
    const qint64 pid = name.section(u'-', 0, 0).toLongLong(&number);
    return number && pid > 0 && pid <= std::numeric_limits<pid_t>::max()
           && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace

QString StageFileHandover::SpoolFolder()
{
    QString name = InstanceLock::FilePath();
    name.chop(int(qstrlen(".lock")));
    return name + QStringLiteral(".handover");
}

namespace {

// One request: whole lines, never more than the running copy reads of one.
struct Request {
    QByteArray lines;
    QStringList paths;
    QString name;  // where it lies while the running copy has not taken it
};

// As file URLs: any character of a path, a line break included, travels on
// one line. A command line of thousands of long names is split into as many
// requests as it needs.
std::vector<Request> Split(const QStringList& paths)
{
    std::vector<Request> requests(1);
    for (const QString& path : paths) {
        const QByteArray line = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded() + '\n';
        if (requests.back().lines.size() + line.size() > MaxRequestBytes && !requests.back().paths.isEmpty())
            requests.emplace_back();
        requests.back().lines += line;
        requests.back().paths << path;
    }
    return requests;
}

// Written whole under another name first, so the running copy never reads
// half a request. False when it could not be written.
bool Leave(const QString& folder, Request& request, const QString& nameStart = QString())
{
    static std::atomic<int> sequence{0};
    const QString base =
        folder + QStringLiteral("/%1%2-%3").arg(nameStart).arg(QCoreApplication::applicationPid()).arg(++sequence);
    QFile part(base + PartSuffix);
    if (!part.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const bool written = part.write(request.lines) == request.lines.size() && part.flush();
    part.close();
    if (!written || !part.rename(base + RequestSuffix)) {
        part.remove();
        return false;
    }
    request.name = base + RequestSuffix;
    return true;
}

} // namespace

bool StageFileHandover::HandOver(const QStringList& paths, int timeoutMs, QStringList* notHanded)
{
    QStringList left = paths;
    const auto answer = [&left, notHanded] {
        if (notHanded)
            *notHanded = left;
        return left.isEmpty();
    };
    const QDeadlineTimer deadline(timeoutMs);
    const QString folder = SpoolFolder();
    // A copy started at the same moment as the running one may come before
    // the folder: it waits for it.
    while (!Exists(folder)) {
        if (deadline.hasExpired())
            return answer();
        QThread::msleep(PollMilliseconds);
    }
    if (!PrivateFolder(folder, false))
        return answer();

    std::vector<Request> requests = Split(paths);
    left.clear();
    for (Request& request : requests) {
        if (!Leave(folder, request))
            left << request.paths;
    }
    // The running copy takes a request by removing it. One it has not taken
    // by the deadline is withdrawn: its files were not handed over.
    for (const Request& request : requests) {
        if (request.name.isEmpty())
            continue;
        while (QFileInfo::exists(request.name) && !deadline.hasExpired())
            QThread::msleep(PollMilliseconds);
        if (QFile::remove(request.name))  // withdrawn, unless taken just now
            left << request.paths;
    }
    return answer();
}

void StageFileHandover::KeepForNextStart(const QStringList& paths)
{
    const QString folder = SpoolFolder();
    QStringList lost;
    if (PrivateFolder(folder, true)) {
        std::vector<Request> requests = Split(paths);
        for (Request& request : requests) {
            if (!Leave(folder, request, KeptStart))
                lost << request.paths;
        }
    } else {
        lost = paths;
    }
    // No window is left to tell the player: whoever started the game from a terminal learns it.
    for (const QString& path : lost)
        qWarning("The stage file %s was not added and could not be kept for the next start.", qUtf8Printable(path));
}

bool StageFileHandover::ImportHandedStageFiles()
{
    auto* receiver = new StageFileReceiver(QCoreApplication::instance());
    QObject::connect(receiver, &StageFileReceiver::FilesReceived, receiver, &StageImport::Queue);
    if (!receiver->Listen()) {
        delete receiver;
        return false;
    }
    return true;
}

StageFileReceiver::StageFileReceiver(QObject* parent) : QObject(parent), watcher_(new QFileSystemWatcher(this))
{
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &StageFileReceiver::TakeRequests);
}

bool StageFileReceiver::Listen()
{
    const QString folder = StageFileHandover::SpoolFolder();
    if (!PrivateFolder(folder, true) || !watcher_->addPath(folder))
        return false;
    // A copy started together with this one may already have left its
    // request: only what no running copy waits for is thrown away.
    QDir spool(folder);
    for (const QString& name : spool.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const bool ours = name.endsWith(RequestSuffix) || name.endsWith(PartSuffix);
        const bool kept = name.startsWith(KeptStart) && name.endsWith(RequestSuffix);
        if (!ours || (!kept && !WriterRuns(name)))
            spool.remove(name);
    }
    QMetaObject::invokeMethod(this, &StageFileReceiver::TakeRequests, Qt::QueuedConnection);
    return true;
}

// Only reads and removes files, never waits on the player: a change of the
// folder while a message is open is taken at once, and the files go to a
// queue that is worked off later.
void StageFileReceiver::TakeRequests()
{
    QDir spool(StageFileHandover::SpoolFolder());
    const QStringList requests =
        FolderNamesWith(spool, {}, RequestSuffix, QDir::Files, QDir::Time | QDir::Reversed);
    QStringList paths;
    for (const QString& name : requests) {
        QFile request(spool.filePath(name));
        if (!request.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = request.read(MaxRequestBytes);
        request.close();
        // Removed before the import: the copy that waits is answered at once.
        if (!request.remove())
            continue;
        for (const QByteArray& line : text.split('\n')) {
            const QUrl url = QUrl::fromEncoded(line.trimmed(), QUrl::StrictMode);
            if (url.isLocalFile() && !url.toLocalFile().isEmpty())
                paths << url.toLocalFile();
        }
    }
    if (!paths.isEmpty())
        emit FilesReceived(paths);
}
