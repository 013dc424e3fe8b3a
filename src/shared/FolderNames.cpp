// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/FolderNames.h"

QStringList FolderNamesWith(const QDir& folder, QStringView prefix, QStringView suffix, QDir::Filters filters,
                            QDir::SortFlags sort, Qt::CaseSensitivity cs)
{
    QStringList names = folder.entryList(filters, sort);
    names.removeIf([&](const QString& name) {
        return name.size() < prefix.size() + suffix.size() || !name.startsWith(prefix, cs)
               || !name.endsWith(suffix, cs);
    });
    return names;
}
