#include "records/StoreFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
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

enum class Presence { Absent, Present, Unknown };

Presence Stat(const QString& path, FileIdentity& identity)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT ? Presence::Absent : Presence::Unknown;
    identity = {info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    return S_ISREG(info.st_mode) ? Presence::Present : Presence::Unknown;
}

bool SetAside(const QString& path)
{
    knownFiles().remove(path);
    const QString base = DamagedName(path, QDateTime::currentDateTime());
    QString target = base;
    // Two damaged files within one second: both are kept.
    for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = base + u'-' + QString::number(n);
    if (!QFile::rename(path, target)) {
        qWarning("The record file %s cannot be read and cannot be moved aside; "
                 "records are not saved in this run.", qUtf8Printable(path));
        return false;
    }
    qWarning("The record file could not be read; it was kept as %s and a new one is started.",
             qUtf8Printable(target));
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
// replaced instead. A link that leads nowhere is replaced like a file.
QString FileToReplace(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.canonicalFilePath();
    return !target.isEmpty() && QFileInfo(target).isFile() ? target : path;
}

// A failed save shows the player nothing; whoever started the game from a
// terminal learns from this line why the records did not last.
bool SaveFailed(const QString& file, int error)
{
    qWarning("The records could not be saved to %s: %s", qUtf8Printable(file), std::strerror(error));
    return false;
}

// Writes all of `bytes` to `fd` and makes them reach the disk; 0 or errno.
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

// Makes a finished rename last through a power cut as well.
void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

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
    const int fd = ::open(savingName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
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
    if (const int error = WriteAtomically(path, FormatIni(contents)); error != 0)
        return SaveFailed(FileToReplace(path), error);

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
