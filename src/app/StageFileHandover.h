// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QFileSystemWatcher;

// A stage file opened while the game already runs (a double click in a file
// manager) goes to the running copy instead of starting a second one. The
// copy that holds the instance lock watches a folder beside the lock that
// only the same user can reach; a later copy leaves the path there as a
// request, waits until the running copy has taken it, and ends. A folder
// and a file watch cost the running copy nothing: no socket library is
// loaded for them.
namespace StageFileHandover {

// The requests' folder: beside the instance lock, in the user's runtime folder.
QString SpoolFolder();

// Leaves `path` (made absolute) for the running copy and waits until it is
// taken. False when no copy watches or it does not take it in time; the
// request is then withdrawn.
bool HandOver(const QString& path, int timeoutMs = 3000);

// In the running copy: watches for stage files handed over and imports
// each as one named on the command line, in front of the main window. False
// when the folder could not be set up (the game runs on without it).
bool ImportHandedStageFiles();

} // namespace StageFileHandover

// The running copy's end: emits FileReceived for every path handed over.
class StageFileReceiver : public QObject {
    Q_OBJECT
public:
    explicit StageFileReceiver(QObject* parent = nullptr);

    // Starts watching; requests left behind by a copy that crashed are
    // dropped (only the lock holder calls this).
    bool Listen();

signals:
    void FileReceived(const QString& path);

private:
    void TakeRequests();

    QFileSystemWatcher* watcher_ = nullptr;
};
