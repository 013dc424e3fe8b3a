// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QFileSystemWatcher;

// A stage file opened while the game already runs (a double click in a file
// manager) goes to the running copy instead of starting a second one. The
// copy that holds the instance lock watches a folder beside the lock that
// only the same user can reach; a later copy leaves its paths there as one
// request, waits until the running copy has taken it, and ends. A folder
// and a file watch cost the running copy nothing: no socket library is
// loaded for them.
namespace StageFileHandover {

// The requests' folder: beside the instance lock, in the user's runtime folder.
QString SpoolFolder();

// Leaves `paths` (made absolute) for the running copy, as one request or,
// for a very long list, a few, and waits until they are taken. False when
// no copy watches a private folder or it does not take every request in time
// (busy, or gone); the requests not taken are then withdrawn, nothing is left
// in the folder, and `notHanded` (when given) names the paths of those.
bool HandOver(const QStringList& paths, int timeoutMs = 5000, QStringList* notHanded = nullptr);

// In the running copy, at its end: leaves `paths`, handed to it but not
// added yet, in the requests' folder, where the next start takes them.
void KeepForNextStart(const QStringList& paths);

// In the running copy: watches for stage files handed over and queues them
// for import (see StageImport.h). False when the folder could not be set up
// (the game runs on without it).
bool ImportHandedStageFiles();

} // namespace StageFileHandover

// The running copy's end: emits FilesReceived for every request taken.
class StageFileReceiver : public QObject {
    Q_OBJECT
public:
    explicit StageFileReceiver(QObject* parent = nullptr);

    // Starts watching. Requests left in the folder by a copy that still waits,
    // or kept by an earlier run for the next start, are taken at once; those
    // of a copy that is gone are dropped (only the lock holder calls this).
    bool Listen();

signals:
    void FilesReceived(const QStringList& paths);

private:
    void TakeRequests();

    QFileSystemWatcher* watcher_ = nullptr;
};
