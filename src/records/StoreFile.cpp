// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/StoreFile.h"

#include "records/RecordsNotice.h"
#include "shared/CrashSafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace StoreFile {

namespace {

// Far more than a record file of ours grows to (its names are single lines
// typed by a player); anything bigger is not ours and is not read in.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

// Which file a path showed when it was read. Every save puts a new file in
// place, so a file that still has the same identity still holds what was read.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool operator==(const FileIdentity& other) const
    {
        return device == other.device && inode == other.inode && size == other.size
               && modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
    }
};

struct Known {
    FileIdentity identity;
    IniContents contents;
};

QHash<QString, Known>& knownFiles()
{
    static QHash<QString, Known> files;
    return files;
}

// Record files that are links whose damaged file was moved aside in this
// run: the link leads to where a new file may start.
QSet<QString>& linksToRestart()
{
    static QSet<QString> links;
    return links;
}

// Record files that are links whose file could not be reached, said once.
QSet<QString>& unreachableSaid()
{
    static QSet<QString> links;
    return links;
}

// Unreachable: a link whose file cannot be reached now (a volume not yet
// mounted, an encrypted folder not yet open). It may come back at any time.
enum class Presence { Absent, Present, Unreachable, Unknown };

Presence Stat(const QString& path, FileIdentity& identity)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        const int error = errno;
        // A loop of links never leads anywhere: it is moved aside as damage.
        if (error != ELOOP && QFileInfo(path).isSymLink() && !linksToRestart().contains(path))
            return Presence::Unreachable;
        return error == ENOENT ? Presence::Absent : Presence::Unknown;
    }
    unreachableSaid().remove(path);
    identity = {info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    return S_ISREG(info.st_mode) ? Presence::Present : Presence::Unknown;
}

// Says once, until it can be reached again, that the file behind a link
// cannot be reached; the windows show it to the player.
void SayUnreachable(const QString& path)
{
    if (unreachableSaid().contains(path))
        return;
    unreachableSaid().insert(path);
    const QString end = CrashSafeFile::LinkEnd(path);
    qWarning("The record file %s leads to %s, which cannot be reached; "
             "records are not saved until it can.", qUtf8Printable(path), qUtf8Printable(end));
    emit RecordsNotice::Instance().RecordFileUnreachable(end);
}

// A damaged file behind a link is moved aside beside itself; the link stays.
bool SetAside(const QString& path)
{
    knownFiles().remove(path);
    const QString damaged = CrashSafeFile::LinkEnd(path);
    const QString base = DamagedName(damaged, QDateTime::currentDateTime());
    QString target = base;
    // Two damaged files within one second: both are kept.
    for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = base + u'-' + QString::number(n);
    if (!QFile::rename(damaged, target)) {
        qWarning("The record file %s cannot be read and cannot be moved aside; "
                 "records are not saved in this run.", qUtf8Printable(path));
        return false;
    }
    qWarning("The record file could not be read; it was kept as %s and a new one is started.",
             qUtf8Printable(target));
    if (damaged != path)
        linksToRestart().insert(path);
    return true;
}

// The file a save replaces. A record file that is a symbolic link (dotfile
// managers keep such links) stays one: the file at the end of its chain is
// replaced instead.
QString FileToReplace(const QString& path)
{
    return CrashSafeFile::LinkEnd(path);
}

// A failed save shows the player nothing; whoever started the game from a
// terminal learns from this line why the records did not last.
bool SaveFailed(const QString& file, int error)
{
    qWarning("The records could not be saved to %s: %s", qUtf8Printable(file), std::strerror(error));
    return false;
}

std::optional<IniContents> Read(const QString& path)
{
    QFile file(path);
    if (file.size() > MaxFileSize || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return ParseIni(bytes);
}

} // namespace

std::optional<IniContents> Load(const QString& path)
{
    if (!knownFiles().contains(path))
        CrashSafeFile::ClearDebris(FileToReplace(path));  // left by a save that never finished

    FileIdentity identity;
    const Presence presence = Stat(path, identity);
    if (presence == Presence::Absent) {
        knownFiles().remove(path);
        return IniContents{};
    }
    // The game plays on with what it read before, if anything.
    if (presence == Presence::Unreachable) {
        SayUnreachable(path);
        const auto known = knownFiles().constFind(path);
        return known != knownFiles().cend() ? known->contents : IniContents{};
    }
    if (presence == Presence::Present) {
        if (const auto known = knownFiles().constFind(path);
            known != knownFiles().cend() && known->identity == identity)
            return known->contents;
        if (auto contents = Read(path)) {
            knownFiles().insert(path, {identity, *contents});
            return contents;
        }
    }
    // Unreadable, unparsable, or not a file at all.
    if (!SetAside(path))
        return std::nullopt;
    return IniContents{};
}

IniContents Peek(const QString& path)
{
    FileIdentity identity;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    identity = {info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    if (const auto known = knownFiles().constFind(path); known != knownFiles().cend() && known->identity == identity)
        return known->contents;
    return Read(path).value_or(IniContents{});
}

bool Save(const QString& path, const IniContents& contents)
{
    // Never a plain file in place of the link: nothing is written until the
    // file it leads to can be reached again.
    FileIdentity before;
    if (Stat(path, before) == Presence::Unreachable) {
        SayUnreachable(path);
        return false;
    }
    if (const int error = CrashSafeFile::Replace(path, FormatIni(contents)); error != 0)
        return SaveFailed(FileToReplace(path), error);
    linksToRestart().remove(path);

    FileIdentity identity;
    if (Stat(path, identity) == Presence::Present)
        knownFiles().insert(path, {identity, contents});
    return true;
}

QString DamagedName(const QString& path, const QDateTime& when)
{
    return path + QStringLiteral(".damaged-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

} // namespace StoreFile
