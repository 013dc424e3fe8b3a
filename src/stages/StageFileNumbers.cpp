// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageFileNumbers.h"

#include "shared/CrashSafeFile.h"

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

// Puts the written file at `target` unless something is there already.
// Some file systems have no hard links: there the name is first taken by an
// empty file created exclusively, which the written file then replaces.
int PlaceAt(CrashSafeFile::Temporary& written, const QByteArray& target)
{
    if (::link(written.Name().constData(), target.constData()) == 0)
        return 0;
    const int error = errno;
    if (error != EPERM && error != ENOTSUP && error != ENOSYS)
        return error;
    const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    ::close(fd);
    return written.MoveTo(target);
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

    // Written whole under a private name first, then linked to the first free number.
    CrashSafeFile::Temporary temporary(QDir(folder).filePath(QStringLiteral("new")));
    file.error = temporary.Error() != 0 ? temporary.Error() : temporary.Write(bytes);
    if (file.error != 0)
        return file;
    for (int attempt = 1; attempt <= Attempts; ++attempt) {
        const QString path = QDir(folder).filePath(
            QStringLiteral("%1.%2").arg(last + attempt, NumberDigits, 10, QLatin1Char('0')).arg(suffix));
        const int error = PlaceAt(temporary, QFile::encodeName(path));
        if (error == EEXIST)
            continue;  // another copy of the program took it meanwhile
        if (error == 0)
            file.path = path;
        file.error = error;
        break;
    }
    if (file.path.isEmpty() && file.error == 0)
        file.error = EEXIST;
    CrashSafeFile::SyncFolder(folder);
    return file;
}

} // namespace StageFileNumbers
