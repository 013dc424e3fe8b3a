// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/CrashSafeFile.h"
#include "shared/FolderNames.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace CrashSafeFile {

namespace {

// ".Zumirak.ini.Ab12Cd-0f3e9a71.saving": hidden, never ending in the name of
// a file kind the program reads from a folder, and marked as ours: the eight
// hex digits are a check of the six letters before them, which no name a
// person gives by hand (".Zumirak.ini.backup.saving") carries. Only marked
// names are ever cleared away; the unmarked ones that builds of the past
// made cannot be told from a person's own file, and are left alone.
const QByteArray TemporaryEnd = ".saving";
constexpr int UniqueLetters = 6;
constexpr int MarkDigits = 8;
const QByteArray Letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// A name taken already, or another writer that cleared our fresh temporary
// away before we locked it, makes us start again under a new name; more
// than a few is no chance.
constexpr int CreateAttempts = 8;

QByteArray TemporaryStart(const QString& path)
{
    const QFileInfo info(path);
    return QFile::encodeName(info.absolutePath()) + "/." + QFile::encodeName(info.fileName()) + '.';
}

QByteArray MarkOf(QByteArrayView unique)
{
    return QCryptographicHash::hash("zumirak temporary " + unique.toByteArray(), QCryptographicHash::Sha256)
        .toHex()
        .left(MarkDigits);
}

// The part of a temporary's name between the start and the end: random
// letters, then their mark.
QByteArray NewMarkedPart()
{
    QByteArray unique(UniqueLetters, Qt::Uninitialized);
    for (char& letter : unique)
        letter = Letters[QRandomGenerator::global()->bounded(int(Letters.size()))];
    return unique + '-' + MarkOf(unique);
}

bool IsMarkedPart(QByteArrayView part)
{
    if (part.size() != UniqueLetters + 1 + MarkDigits || part[UniqueLetters] != '-')
        return false;
    const QByteArrayView unique = part.first(UniqueLetters);
    return std::all_of(unique.begin(), unique.end(), [](char c) { return Letters.contains(c); })
           && part.sliced(UniqueLetters + 1) == MarkOf(unique);
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True while `name` is still the file open as `fd`.
bool StillNamed(int fd, const QByteArray& name)
{
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(name.constData(), &named) == 0 && SameFile(open, named);
}

// Paths whose debris this run has cleared already.
QSet<QString>& cleared()
{
    static QSet<QString> paths;
    return paths;
}

QMutex& clearedGuard()
{
    static QMutex guard;
    return guard;
}

void ClearDebrisOnce(const QString& path)
{
    {
        const QMutexLocker locker(&clearedGuard());
        if (cleared().contains(path))
            return;
        cleared().insert(path);
    }
    ClearDebris(path);
}

} // namespace

Temporary::Temporary(const QString& path)
{
    // Writers that place their file themselves (a new stage) leave debris
    // too when they die: cleared here, once a run, for every writer.
    ClearDebrisOnce(path);
    for (int attempt = 0; attempt < CreateAttempts; ++attempt) {
        const QByteArray name = TemporaryStart(path) + NewMarkedPart() + TemporaryEnd;
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) {
            error_ = EEXIST;
            continue;
        }
        if (fd < 0) {
            error_ = errno;
            return;
        }
        // Locked before anything is written. A clearer that opened the new
        // file in the moment before the lock may have removed it: then the
        // name is no longer ours and a new one is made.
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        if (StillNamed(fd, name)) {
            name_ = name;
            fd_ = fd;
            error_ = 0;
            return;
        }
        ::close(fd);
        error_ = EEXIST;
    }
}

Temporary::~Temporary()
{
    if (fd_ < 0)
        return;
    if (!name_.isEmpty())
        ::unlink(name_.constData());  // removed while still locked: no clearer can mistake it
    ::close(fd_);
}

int Temporary::Write(const QByteArray& bytes)
{
    return fd_ < 0 ? EBADF : WriteAndSync(fd_, bytes);
}

int Temporary::MoveTo(const QByteArray& target)
{
    if (fd_ < 0)
        return EBADF;
    if (::rename(name_.constData(), target.constData()) != 0)
        return errno;
    name_.clear();
    return 0;
}

int Replace(const QString& path, const QByteArray& bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return errno != 0 ? errno : EIO;
    const QString file = LinkEnd(path);
    Temporary temporary(file);
    if (temporary.Error() != 0)
        return temporary.Error();
    const QByteArray fileName = QFile::encodeName(file);
    struct stat old {};
    if (::stat(fileName.constData(), &old) == 0)
        ::fchmod(temporary.Descriptor(), old.st_mode & 07777);
    if (const int error = temporary.Write(bytes); error != 0)
        return error;
    if (const int error = temporary.MoveTo(fileName); error != 0)
        return error;
    SyncFolder(QFileInfo(file).absolutePath());
    return 0;
}

int WriteAndSync(int fd, const QByteArray& bytes)
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

void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void ClearDebris(const QString& path)
{
    const QByteArray start = TemporaryStart(path);
    const QByteArray folder = start.left(start.lastIndexOf('/'));
    const QByteArray prefix = start.mid(folder.size() + 1);
    const QStringList names =
        FolderNamesWith(QDir(QFile::decodeName(folder)), QFile::decodeName(prefix), QFile::decodeName(TemporaryEnd),
                        QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort, Qt::CaseSensitive);
    for (const QString& entry : names) {
        const QByteArray name = folder + '/' + QFile::encodeName(entry);
        if (name.size() < start.size() + TemporaryEnd.size()
            || !IsMarkedPart(QByteArrayView(name).sliced(start.size()).chopped(TemporaryEnd.size())))
            continue;  // not one of ours
        const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A writer holds its temporary locked: only a file nobody holds is debris.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, name))
            ::unlink(name.constData());
        ::close(fd);
    }
}

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

} // namespace CrashSafeFile
