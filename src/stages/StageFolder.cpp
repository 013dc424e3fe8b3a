// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageFolder.h"

#include "shared/CrashSafeFile.h"
#include "shared/FolderNames.h"
#include "stages/StageFileNumbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <atomic>

namespace StageFolder {

QString Path()
{
    // The program's AppLocalDataLocation, spelled out so that it is the same
    // whether or not the application object carries the program's names
    // (the command line and the tests run without them).
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/Brenhavel/Zumirak/stages");
}

QStringList Names()
{
    const QString folder = Path();
    if (folder.isEmpty())
        return {};
    QStringList names = FolderNamesWith(QDir(folder), {}, QStringLiteral(".") + StageFileSuffix,
                                        QDir::Files | QDir::Hidden | QDir::System);
    StageFileNumbers::SortByNumber(names);
    return names;
}

namespace {

std::atomic<quint64> filesRead{0};

} // namespace

quint64 FilesRead() { return filesRead; }

File ReadFile(const QString& path)
{
    ++filesRead;
    File file;
    file.path = path;
    file.signature = SignatureOf(path).value_or(Signature{});
    file.reading = ReadStageFileAt(path);
    return file;
}

int WriteWhole(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    return CrashSafeFile::Replace(path, bytes);
}

} // namespace StageFolder
