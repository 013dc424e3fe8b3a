// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The names of the files in the player's stages folder: "0007.zumirak" is
// file number 7. New files take the number after the highest one there, and
// a new file never replaces one that is there, even when another copy of the
// program writes to the same folder at the same moment.
namespace StageFileNumbers {

// The number a file name starts with; nullopt when it starts with no ASCII
// digit or with more digits than any number we write.
std::optional<qint64> Number(const QString& fileName);

// Numbered names by number, then the others by name.
void SortByNumber(QStringList& names);

// Writes `bytes` as a new numbered file of `folder` (made when missing), in
// the crash-safe way of the records: the whole file is written under a
// private name first and then linked to its number, which fails rather than
// replace a file. The new file's path, or an empty path and the errno.
struct NewFile {
    QString path;
    int error = 0;
};
NewFile WriteNew(const QString& folder, const QString& suffix, const QByteArray& bytes);

} // namespace StageFileNumbers
