// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/IniFile.h"

#include <QDateTime>
#include <QString>

#include <optional>

// The record file on disk. Loading keeps what it read until the file
// changes, so reading one record after another does not parse the file
// again. Saving goes through CrashSafeFile: a crash or a full disk leaves the
// old file or the new one, never a mixture; the first load of a run clears
// the debris of a save that never finished. A record file that is a symbolic link stays
// one: the file it points to is replaced. While that file cannot be reached,
// loading gives what was read before (if anything) and saving writes
// nothing; standard error and RecordsNotice hear of it once.
//
// A file that cannot be read or parsed is never overwritten: it is renamed
// to "<file>.damaged-yyyyMMdd-HHmmss" beside itself, behind a link too (its
// records stay there for whoever wants to rescue them) and the store carries on as if there were no file.
namespace StoreFile {

// What the file holds; empty contents when there is no file. nullopt when a
// damaged file is in the way and could not be moved aside.
std::optional<IniContents> Load(const QString& path);

// What the file holds, read without changing anything on disk or telling
// anyone: no debris cleared, no damaged file moved aside, no notice of an
// unreachable link (empty contents then). A copy that does not hold the
// instance lock reads only this way, since the running copy may be saving.
IniContents Peek(const QString& path);

// Writes `contents` as the new file, making its folder when needed.
// True when the file reached the disk; otherwise one line on standard error
// names the file and the reason.
bool Save(const QString& path, const IniContents& contents);

// The name a damaged file is given.
QString DamagedName(const QString& path, const QDateTime& when);

} // namespace StoreFile
