// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageFileNumbers.h"

#include "records/StoreFile.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace StageFileNumbers {

namespace {

constexpr int NumberDigits = 4;  // "0007": the names sort as numbers in a file manager
constexpr qsizetype LongestNumber = 15;  // far above any count of files, far below overflow
constexpr int Attempts = 1000;  // names taken by another copy meanwhile, one after another

// The whole file under a private name beside its final place; "" and errno set on failure.
QByteArray WriteTemporary(const QString& folder, const QByteArray& bytes)
{
    QByteArray name = QFile::encodeName(folder) + "/.new-XXXXXX.saving";
    const int fd = ::mkostemps(name.data(), int(qstrlen(".saving")), O_CLOEXEC);
    if (fd < 0)
        return {};
    const int error = StoreFile::WriteAll(fd, bytes);
    ::close(fd);
    if (error != 0) {
        ::unlink(name.constData());
        errno = error;
        return {};
    }
    return name;
}

// Puts the written file at `target` unless something is there already.
// Some file systems have no hard links: there the name is first taken by an
// empty file created exclusively, which the written file then replaces.
int PlaceAt(const QByteArray& written, const QByteArray& target)
{
    if (::link(written.constData(), target.constData()) == 0)
        return 0;
    const int error = errno;
    if (error != EPERM && error != ENOTSUP && error != ENOSYS)
        return error;
    const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    ::close(fd);
    return ::rename(written.constData(), target.constData()) == 0 ? 0 : errno;
}

} // namespace

std::optional<qint64> Number(const QString& fileName)
{
    qsizetype digits = 0;
    while (digits < fileName.size() && fileName[digits] >= u'0' && fileName[digits] <= u'9')
        ++digits;
    if (digits == 0 || digits > LongestNumber)
        return std::nullopt;
    return fileName.first(digits).toLongLong();
}

void SortByNumber(QStringList& names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const std::optional<qint64> na = Number(a);
        const std::optional<qint64> nb = Number(b);
        if (na.has_value() != nb.has_value())
            return na.has_value();
        return na != nb ? *na < *nb : a < b;
    });
}

NewFile WriteNew(const QString& folder, const QString& suffix, const QByteArray& bytes)
{
    NewFile file;
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        file.error = EACCES;
        return file;
    }
    qint64 last = 0;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        last = std::max(last, Number(name).value_or(0));

    const QByteArray written = WriteTemporary(folder, bytes);
    if (written.isEmpty()) {
        file.error = errno;
        return file;
    }
    for (int attempt = 1; attempt <= Attempts; ++attempt) {
        const QString path = QDir(folder).filePath(
            QStringLiteral("%1.%2").arg(last + attempt, NumberDigits, 10, QLatin1Char('0')).arg(suffix));
        const int error = PlaceAt(written, QFile::encodeName(path));
        if (error == EEXIST)
            continue;  // another copy of the program took it meanwhile
        if (error == 0)
            file.path = path;
        file.error = error;
        break;
    }
    if (file.path.isEmpty() && file.error == 0)
        file.error = EEXIST;
    ::unlink(written.constData());
    StoreFile::SyncFolder(folder);
    return file;
}

} // namespace StageFileNumbers
