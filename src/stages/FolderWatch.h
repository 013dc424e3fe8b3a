// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// Tells which names of one folder changed on disk, whoever changed them:
// files come, go, are renamed or written in place. Says nothing more: the
// one who reads the folder looks at those names (see FolderScan).
//
// The folder may be missing at first, made later, renamed away or made
// again: the folder at the path now is the one followed, and the watch of
// one renamed away is removed, so that nothing written there reaches us any
// more. It never makes the folder.
//
// One way of watching per system, chosen at build time: inotify on Linux
// (one watch hears of every file of the folder, by name), QFileSystemWatcher
// elsewhere. Each batch of changes is told at once, never held back until
// the folder falls quiet: a folder that never does is still followed.
class FolderWatch : public QObject {
    Q_OBJECT
public:
    explicit FolderWatch(const QString& folder, QObject* parent = nullptr);
    ~FolderWatch() override;

signals:
    // These names of the folder changed (of any kind: the reader picks).
    void NamesChanged(const QStringList& names);
    // The folder itself came, went or was replaced, or changes may have been
    // missed: every name of it is to be looked at.
    void FolderChanged();

private:
    struct System;
    std::unique_ptr<System> system_;
};
