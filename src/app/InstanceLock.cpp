// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

InstanceLock::InstanceLock() : lock_(FilePath())
{
    // A running copy holds its lock for hours: it must never count as stale
    // by age. A lock whose owner is no longer running is still taken over.
    lock_.setStaleLockTime(0);
}

bool InstanceLock::TryLock()
{
    return lock_.isLocked() || lock_.tryLock(0);
}

QString InstanceLock::FilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QString records = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QByteArray tag =
        QCryptographicHash::hash(records.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return folder + QStringLiteral("/zumirak-") + QString::fromLatin1(tag) + QStringLiteral(".lock");
}
