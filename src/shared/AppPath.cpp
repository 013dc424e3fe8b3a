#include "shared/AppPath.h"

#include <QCoreApplication>

namespace {
QString& overriddenPath()
{
    static QString path;
    return path;
}
} // namespace

QString AppPath()
{
    if (!overriddenPath().isEmpty())
        return overriddenPath();
    return QCoreApplication::applicationDirPath();
}

void SetAppPathForTesting(const QString& folder)
{
    overriddenPath() = folder;
}
