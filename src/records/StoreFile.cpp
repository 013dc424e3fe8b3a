#include "records/StoreFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QtDebug>

#include <cerrno>
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
        QFile::remove(SavingName(path));  // left by a save that never finished

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

bool Save(const QString& path, const IniContents& contents)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return false;

    // The new file is written in full beside the old one and then renamed
    // over it. Unbuffered, so that a write the disk refuses in part shows
    // here; the half-written file is then thrown away.
    const QByteArray bytes = FormatIni(contents);
    const QString saving = SavingName(path);
    QFile file(saving);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    const bool written = file.write(bytes) == bytes.size()
                         && (::fdatasync(file.handle()) == 0 || errno == EINVAL);
    file.close();
    if (!written || ::rename(QFile::encodeName(saving).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(saving);
        return false;
    }
    SyncFolder(folder);

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
