// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// Keys holding named string values, below the current user's root, in the
// way the system keeps a user's settings. On Windows a key path such as
// "SOFTWARE\Brenhavel\Zumirak\Round7" is that registry key itself. Elsewhere
// the key "SOFTWARE\<maker>\<program>" is the INI file
// $XDG_CONFIG_HOME/<maker>/<program>.ini (see StoreFile): its own values in
// the general section, each subkey a section of its own ([Round7]).
//
// A key exists while it or a key below it holds a value; writing a value
// creates its key. Nothing is ever deleted.
namespace KeyStore {

// The only root the store keeps.
inline constexpr std::uint32_t CurrentUserRoot = 0x80000001u;

// One value to store.
struct RegWrite {
    QString keyPath;
    QString valueName;
    QString data;
};

// True when the key exists.
bool KeyExists(std::uint32_t root, const QString& keyPath);

// The names of the keys right below `keyPath` that exist.
QStringList SubKeys(std::uint32_t root, const QString& keyPath);

// The value, or "" when the key or the value does not exist.
QString ReadValue(std::uint32_t root, const QString& keyPath, const QString& valueName);

// The same value, read without changing anything on disk or telling anyone
// (see StoreFile::Peek): for a copy that does not hold the instance lock yet.
QString PeekValue(std::uint32_t root, const QString& keyPath, const QString& valueName);

// Stores all `writes` together: afterwards either all of them are on disk or
// none is (they must all lie below one program key). With `create` false
// nothing is written unless every key written to exists already.
// True when the values reached the disk.
bool WriteValues(std::uint32_t root, const std::vector<RegWrite>& writes, bool create);

} // namespace KeyStore
