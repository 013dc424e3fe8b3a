// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StageFileHandover.h"

#include "app/InstanceLock.h"
#include "app/MainForm.h"
#include "app/StageImport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QThread>
#include <QUrl>

#include <atomic>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A request is one path and a line end; anything longer is no path of ours.
constexpr qint64 MaxRequestBytes = 16 * 1024;
const QString RequestSuffix = QStringLiteral(".request");

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

} // namespace

QString StageFileHandover::SpoolFolder()
{
    QString name = InstanceLock::FilePath();
    name.chop(int(qstrlen(".lock")));
    return name + QStringLiteral(".handover");
}

bool StageFileHandover::HandOver(const QString& path, int timeoutMs)
{
    const QString folder = SpoolFolder();
    if (!PrivateFolder(folder, false))
        return false;
    // As a file URL: any character of a path, a line break included, travels
    // on one line. Written whole under another name first, so the running
    // copy never reads half a request.
    static std::atomic<int> sequence{0};
    const QString base = folder + QStringLiteral("/%1-%2").arg(QCoreApplication::applicationPid()).arg(++sequence);
    const QString request = base + RequestSuffix;
    QFile part(base + QStringLiteral(".part"));
    if (!part.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const QByteArray line = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded() + '\n';
    const bool written = part.write(line) == line.size() && part.flush();
    part.close();
    if (!written || !part.rename(request)) {
        part.remove();
        return false;
    }
    // The running copy takes a request by removing it.
    const QDeadlineTimer deadline(timeoutMs);
    while (QFileInfo::exists(request)) {
        if (deadline.hasExpired())
            return !QFile::remove(request);  // withdrawn, unless taken just now
        QThread::msleep(20);
    }
    return true;
}

bool StageFileHandover::ImportHandedStageFiles()
{
    auto* receiver = new StageFileReceiver(QCoreApplication::instance());
    if (!receiver->Listen()) {
        delete receiver;
        return false;
    }
    QObject::connect(receiver, &StageFileReceiver::FileReceived, receiver, [](const QString& path) {
        MainForm* form = MainForm::Instance();
        if (form) {
            form->raise();
            form->activateWindow();
        }
        ImportStageFile(path, form);
    });
    return true;
}

StageFileReceiver::StageFileReceiver(QObject* parent) : QObject(parent), watcher_(new QFileSystemWatcher(this))
{
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &StageFileReceiver::TakeRequests);
}

bool StageFileReceiver::Listen()
{
    const QString folder = StageFileHandover::SpoolFolder();
    if (!PrivateFolder(folder, true))
        return false;
    QDir spool(folder);
    for (const QString& stale : spool.entryList(QDir::Files | QDir::Hidden | QDir::System))
        spool.remove(stale);
    return watcher_->addPath(folder);
}

void StageFileReceiver::TakeRequests()
{
    QDir spool(StageFileHandover::SpoolFolder());
    const QStringList requests =
        spool.entryList({QStringLiteral("*") + RequestSuffix}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QString& name : requests) {
        QFile request(spool.filePath(name));
        if (!request.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = request.read(MaxRequestBytes).trimmed();
        request.close();
        // Removed before the import, which may show a message: the copy that
        // waits is answered at once.
        if (!request.remove())
            continue;
        const QUrl url = QUrl::fromEncoded(line, QUrl::StrictMode);
        const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
        if (!path.isEmpty())
            emit FileReceived(path);
    }
}
