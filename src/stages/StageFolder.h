// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stages/FolderScan.h"
#include "stages/StageFile.h"

#include <QString>
#include <QStringList>

#include <optional>

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
using Signature = FolderScan::Signature;
// Nothing there: nullopt.
inline std::optional<Signature> SignatureOf(const QString& path) { return FolderScan::SignatureOf(path); }

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
