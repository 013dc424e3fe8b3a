// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/AppPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString& overriddenPath()
{
    static QString path;
    return path;
}

// Always among the program's files (help falls back to it), so it tells
// where they are.
constexpr auto MarkerFile = "Readme.txt";
} // namespace

QString DataFolderOf(const QString& programFolder)
{
    if (QFileInfo::exists(programFolder + QLatin1Char('/') + QLatin1String(MarkerFile)))
        return programFolder;
    // Relative, so an unpacked or relocated installation finds its files too.
    return QDir::cleanPath(programFolder + QLatin1Char('/') + QLatin1String(ZUMIRAK_DATA_FROM_PROGRAM));
}

QString AppPath()
{
    if (!overriddenPath().isEmpty())
        return overriddenPath();
    return DataFolderOf(QCoreApplication::applicationDirPath());
}

QString ProgramFolder()
{
    if (!overriddenPath().isEmpty())
        return overriddenPath();
    return QCoreApplication::applicationDirPath();
}

void SetAppPathForTesting(const QString& folder)
{
    overriddenPath() = folder;
}
