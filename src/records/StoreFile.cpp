// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/StoreFile.h"

#include "records/RecordsNotice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Where a chain of links ends, even at a file that does not exist; the path
// itself when it is no link, or the links go round in a loop.
QString LinkEnd(const QString& path)
{
    // As many links as the system itself follows.
    constexpr int MaxLinks = 40;
    QString at = path;
    for (int link = 0; link < MaxLinks; ++link) {
        const QFileInfo info(at);
        if (!info.isSymLink())
            return at;
        at = info.symLinkTarget();
    }
    return path;
}

// Says once, until it can be reached again, that the file behind a link
// cannot be reached; the windows show it to the player.
void SayUnreachable(const QString& path)
{
    if (unreachableSaid().contains(path))
        return;
    unreachableSaid().insert(path);
    const QString end = LinkEnd(path);
    qWarning("The record file %s leads to %s, which cannot be reached; "
             "records are not saved until it can.", qUtf8Printable(path), qUtf8Printable(end));
    emit RecordsNotice::Instance().RecordFileUnreachable(end);
}

// A damaged file behind a link is moved aside beside itself; the link stays.
bool SetAside(const QString& path)
{
    knownFiles().remove(path);
    const QString damaged = LinkEnd(path);
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

// The new file while it is being written. Only one copy of the program
// runs, so one fixed name serves; one left by a crash is thrown away.
QString SavingName(const QString& path)
{
    return path + QStringLiteral(".saving");
}

// The file a save replaces. A record file that is a symbolic link (dotfile
// managers keep such links) stays one: the file at the end of its chain is
// replaced instead.
QString FileToReplace(const QString& path)
{
    return LinkEnd(path);
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

void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

int WriteAll(int fd, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n == 0)
            return EIO;
        else if (errno != EINTR)
            return errno;
    }
    // Some file systems cannot sync a file (EINVAL); the rename still holds.
    return ::fdatasync(fd) == 0 || errno == EINVAL ? 0 : errno;
}

std::optional<IniContents> Load(const QString& path)
{
    if (!knownFiles().contains(path))
        QFile::remove(SavingName(FileToReplace(path)));  // left by a save that never finished

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

int WriteAtomically(const QString& path, const QByteArray& bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return errno != 0 ? errno : EIO;

    // The new file is written in full beside the one it replaces and then
    // renamed over it, keeping the old file's permissions. A half-written
    // file is thrown away.
    const QString file = FileToReplace(path);
    const QByteArray fileName = QFile::encodeName(file);
    const QByteArray savingName = QFile::encodeName(SavingName(file));
    // Made anew, never through whatever stands at that name: a link planted
    // there (or left by a crash) is removed, not followed.
    if (::unlink(savingName.constData()) != 0 && errno != ENOENT)
        return errno;
    const int fd = ::open(savingName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    struct stat old {};
    if (::stat(fileName.constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    int error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(savingName.constData(), fileName.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(savingName.constData());
        return error;
    }
    SyncFolder(QFileInfo(file).absolutePath());
    return 0;
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
    if (const int error = WriteAtomically(path, FormatIni(contents)); error != 0)
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
