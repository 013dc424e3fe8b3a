// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// A stage file opened while the game already runs (a double click in a file
// manager) goes to the running copy instead of starting a second one. The
// copy that holds the instance lock listens on a local socket that only the
// same user can reach, named after the lock; a later copy hands it the path
// and ends.
namespace StageFileHandover {

// The socket's path: beside the instance lock, in the user's runtime folder.
QString ServerName();

// Sends `path` (made absolute) to the running copy and waits for its receipt.
// False when no copy listens or it does not answer in time.
bool HandOver(const QString& path, int timeoutMs = 3000);

// In the running copy: listens for stage files handed over and imports
// each as one named on the command line, in front of the main window. False
// when the socket could not be set up (the game runs on without it).
bool ImportHandedStageFiles();

} // namespace StageFileHandover

// The running copy's end: emits FileReceived for every path handed over.
class StageFileReceiver : public QObject {
    Q_OBJECT
public:
    explicit StageFileReceiver(QObject* parent = nullptr);

    // Starts listening; a socket left behind by a crashed copy is replaced
    // (only the lock holder calls this, so no live copy listens there).
    bool Listen();

signals:
    void FileReceived(const QString& path);

private:
    void Accept();
    void ReadRequest(QLocalSocket* socket);

    QLocalServer* server_ = nullptr;
};
