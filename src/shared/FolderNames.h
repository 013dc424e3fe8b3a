// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QStringList>
#include <QStringView>

// The names in `folder` that start with `prefix` and end with `suffix`,
// compared as plain text. QDir's wildcard filters do the same through a
// regular expression, and so would load and compile the expression engine
// in every start of the game (about a MiB) for a comparison of a few
// characters.
QStringList FolderNamesWith(const QDir& folder, QStringView prefix, QStringView suffix, QDir::Filters filters,
                            QDir::SortFlags sort = QDir::NoSort, Qt::CaseSensitivity cs = Qt::CaseInsensitive);
