// SPDX-License-Identifier: GPL-3.0-or-later
// FolderWatch where there is no inotify: QFileSystemWatcher, which tells of
// a folder's entries coming and going, and of a file written in place only
// through a watch of that file.
#include "stages/FolderWatch.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

struct FolderWatch::System {
    QString folder;
    QString above;  // the nearest folder above that exists
    QFileSystemWatcher watcher;

    void Arm()
    {
        if (const QStringList all = watcher.directories() + watcher.files(); !all.isEmpty())
            watcher.removePaths(all);
        QString below = QDir::cleanPath(folder);
        above = QFileInfo(below).path();
        while (above != below && !QFileInfo(above).isDir()) {
            below = above;
            above = QFileInfo(above).path();
        }
        watcher.addPath(above);
        if (QFileInfo(folder).isDir())
            watcher.addPath(folder);
        WatchFiles();
    }
    void WatchFiles()
    {
        QStringList files;
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
            files << folder + u'/' + name;
        if (!files.isEmpty())
            watcher.addPaths(files);
    }
};

FolderWatch::FolderWatch(const QString& folder, QObject* parent) : QObject(parent), system_(std::make_unique<System>())
{
    system_->folder = folder;
    if (folder.isEmpty())
        return;
    system_->Arm();
    connect(&system_->watcher, &QFileSystemWatcher::directoryChanged, this, [this](const QString& path) {
        if (path == system_->above)
            system_->Arm();
        else
            system_->WatchFiles();
        emit FolderChanged();
    });
    connect(&system_->watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        // A file replaced under its name took its watch along: the new one is watched instead.
        system_->watcher.removePath(path);
        if (QFileInfo::exists(path))
            system_->watcher.addPath(path);
        emit NamesChanged({QFileInfo(path).fileName()});
    });
}

FolderWatch::~FolderWatch() = default;
