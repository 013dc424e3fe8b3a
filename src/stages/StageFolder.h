// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stages/StageFile.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <optional>
#include <vector>

// The folder "stages" of the program's data folder, where the player's own
// stages are kept as stage files, and what is on disk there now.
namespace StageFolder {

// Where the files live; empty when the system gives no data folder.
QString Path();

// The names of the stage files in the folder now, in the order of their
// numbers (see StageFileNumbers); not read.
QStringList Names();

// What tells whether a file changed since it was last read: its identity,
// size and times.
struct Signature {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    bool operator==(const Signature&) const = default;
};
// Nothing there: nullopt.
std::optional<Signature> SignatureOf(const QString& path);

struct File {
    QString path;
    Signature signature;  // taken before the reading: a change meanwhile shows next time
    StageFileReading reading;
};

// One file of the folder, read (not proven).
File ReadFile(const QString& path);
// How many files ReadFile read so far in this run: the tests watch that a
// change reads only what changed.
quint64 FilesRead();

// Writes a file of the stages' own (a stage file renamed, the kept proofs)
// whole, in the crash-safe way of the records, making its folder when
// missing. 0 when it reached the disk, else the errno.
int WriteWhole(const QString& path, const QByteArray& bytes);

} // namespace StageFolder

// Tells when the folder or one of its files changed on disk, whoever changed
// it: once for a burst of changes, when the burst is over. It says only that
// something changed: the one who reads the folder looks which files did (see
// PlayerStages). On Linux one watch of the folder hears of every file in it,
// written in place too; elsewhere each file is watched on its own as well.
class StageFolderWatch : public QObject {
    Q_OBJECT
public:
    explicit StageFolderWatch(QObject* parent = nullptr);
    ~StageFolderWatch() override;
    // Watches the folder (made when missing): files come, go or are renamed.
    void WatchFolder();
    // Watches these files of it as well, where the folder's watch does not
    // tell of a file written over in place.
    void WatchFiles(const QStringList& paths);
    void ForgetFile(const QString& path);

signals:
    void Changed();

private:
    bool WatchFolderWhole(const QString& folder);
    void TakeFolderEvents();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    QSet<QString> touched_;  // files whose watch fired in this burst
    int folderEvents_ = -1;  // the folder's whole watch, where there is one
    bool wholeWatch_ = false;
};
