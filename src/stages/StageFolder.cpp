// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageFolder.h"

#include "shared/CrashSafeFile.h"
#include "stages/StageFileNumbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <QSocketNotifier>

#include <atomic>

#include <sys/stat.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#endif

namespace StageFolder {

QString Path()
{
    // The program's AppLocalDataLocation, spelled out so that it is the same
    // whether or not the application object carries the program's names
    // (the command line and the tests run without them).
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/Brenhavel/Zumirak/stages");
}

QStringList Names()
{
    const QString folder = Path();
    if (folder.isEmpty())
        return {};
    QStringList names = QDir(folder).entryList({QStringLiteral("*.") + StageFileSuffix},
                                               QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    StageFileNumbers::SortByNumber(names);
    return names;
}

std::optional<Signature> SignatureOf(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    Signature signature;
    signature.device = quint64(status.st_dev);
    signature.inode = quint64(status.st_ino);
    signature.size = qint64(status.st_size);
    signature.modifiedNs = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    signature.changedNs = qint64(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec;
    return signature;
}

namespace {

std::atomic<quint64> filesRead{0};

} // namespace

quint64 FilesRead() { return filesRead; }

File ReadFile(const QString& path)
{
    ++filesRead;
    File file;
    file.path = path;
    file.signature = SignatureOf(path).value_or(Signature{});
    file.reading = ReadStageFileAt(path);
    return file;
}

int WriteWhole(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    return CrashSafeFile::Replace(path, bytes);
}

} // namespace StageFolder

namespace {

// An editor saving a file, or a file manager copying many, changes the
// folder several times in a row: it is looked at again once they are done.
constexpr int SettleMilliseconds = 150;

} // namespace

StageFolderWatch::StageFolderWatch(QObject* parent) : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(SettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, [this] {
        // A file replaced under its name (an editor saving by renaming over
        // it) took its watch along: the file there now is watched instead.
        for (const QString& path : std::as_const(touched_)) {
            watcher_.removePath(path);
            if (QFileInfo::exists(path))
                watcher_.addPath(path);
        }
        touched_.clear();
        emit Changed();
    });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        touched_.insert(path);
        settle_.start();
    });
}

StageFolderWatch::~StageFolderWatch()
{
    if (folderEvents_ >= 0)
        ::close(folderEvents_);
}

void StageFolderWatch::WatchFolder()
{
    const QString folder = StageFolder::Path();
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    wholeWatch_ = WatchFolderWhole(folder);
    if (!wholeWatch_ && !watcher_.directories().contains(folder))
        watcher_.addPath(folder);
}

// Linux: one watch hears of every file of the folder, by name (adding the
// same folder again only renews it, and a folder made anew gets its own).
// A watch per file would cost the window's thread the square of the files.
bool StageFolderWatch::WatchFolderWhole(const QString& folder)
{
#ifdef Q_OS_LINUX
    if (folderEvents_ < 0) {
        folderEvents_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (folderEvents_ < 0)
            return false;
        auto* notifier = new QSocketNotifier(folderEvents_, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &StageFolderWatch::TakeFolderEvents);
    }
    constexpr uint32_t events = IN_CREATE | IN_DELETE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO
                                | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    return ::inotify_add_watch(folderEvents_, QFile::encodeName(folder).constData(), events) >= 0;
#else
    Q_UNUSED(folder);
    return false;
#endif
}

void StageFolderWatch::TakeFolderEvents()
{
    char events[16384];
    while (::read(folderEvents_, events, sizeof events) > 0) {
    }
    settle_.start();
}

void StageFolderWatch::WatchFiles(const QStringList& paths)
{
    if (!wholeWatch_ && !paths.isEmpty())
        watcher_.addPaths(paths);
}

void StageFolderWatch::ForgetFile(const QString& path)
{
    if (!wholeWatch_)
        watcher_.removePath(path);
}
