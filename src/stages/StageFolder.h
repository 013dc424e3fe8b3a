// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stages/StageFile.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

// The folder "stages" of the program's data folder, where the player's own
// stages are kept as stage files, and what is on disk there now.
namespace StageFolder {

// Where the files live; empty when the system gives no data folder.
QString Path();

struct File {
    QString path;
    StageFileReading reading;
};

// Every stage file of the folder, read (not proven), in the order of their
// numbers (see StageFileNumbers).
std::vector<File> Read();

} // namespace StageFolder

// Tells when the folder or one of its files changed on disk, whoever changed
// it: once for a burst of changes, when the burst is over.
class StageFolderWatch : public QObject {
    Q_OBJECT
public:
    explicit StageFolderWatch(QObject* parent = nullptr);
    // Watches the folder (made when missing) and these files of it.
    void Watch(const QStringList& files);

signals:
    void Changed();

private:
    QFileSystemWatcher watcher_;
    QTimer settle_;
};
