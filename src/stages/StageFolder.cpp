// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageFolder.h"

#include "stages/StageFileNumbers.h"

#include <QDir>
#include <QStandardPaths>

namespace StageFolder {

QString Path()
{
    // The program's AppLocalDataLocation, spelled out so that it is the same
    // whether or not the application object carries the program's names
    // (the command line and the tests run without them).
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/Brenhavel/Zumirak/stages");
}

std::vector<File> Read()
{
    std::vector<File> files;
    const QString folder = Path();
    if (folder.isEmpty())
        return files;
    const QDir dir(folder);
    QStringList names = dir.entryList({QStringLiteral("*.") + StageFileSuffix}, QDir::Files | QDir::Hidden | QDir::System);
    StageFileNumbers::SortByNumber(names);
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        files.push_back({path, ReadStageFileAt(path)});
    }
    return files;
}

} // namespace StageFolder

namespace {

// An editor saving a file, or a file manager copying many, changes the
// folder several times in a row: it is read again once they are done.
constexpr int SettleMilliseconds = 150;

} // namespace

StageFolderWatch::StageFolderWatch(QObject* parent) : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(SettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &StageFolderWatch::Changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
}

void StageFolderWatch::Watch(const QStringList& files)
{
    const QString folder = StageFolder::Path();
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return;
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty())
        watcher_.removePaths(watched);
    watcher_.addPath(folder);
    if (!files.isEmpty())
        watcher_.addPaths(files);
}
