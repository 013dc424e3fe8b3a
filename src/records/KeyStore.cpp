// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/KeyStore.h"

#include <QStringList>

#include <optional>

#ifdef Q_OS_WIN
#include <QSettings>
#else
#include "records/StoreFile.h"

#include <QStandardPaths>
#endif

namespace KeyStore {

namespace {

// Where a key lives: the store of its program key, and the key's group in
// it ("" for the program key itself, "Round7" for a subkey).
struct Location {
    QString store;  // the INI file, or on Windows the registry key
    QString group;
};

// Key paths are "SOFTWARE\<maker>\<program>" followed by any subkeys.
constexpr qsizetype ProgramKeyDepth = 3;

std::optional<Location> Locate(std::uint32_t root, const QString& keyPath)
{
    if (root != CurrentUserRoot)
        return std::nullopt;
    const QStringList parts = keyPath.split(u'\\', Qt::SkipEmptyParts);
    if (parts.size() < ProgramKeyDepth
        || parts[0].compare(QLatin1String("SOFTWARE"), Qt::CaseInsensitive) != 0)
        return std::nullopt;

    Location location;
#ifdef Q_OS_WIN
    location.store = QStringLiteral("HKEY_CURRENT_USER\\") + parts.first(ProgramKeyDepth).join(u'\\');
#else
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (configFolder.isEmpty())
        return std::nullopt;
    location.store = configFolder + u'/' + parts[1] + u'/' + parts[2] + QStringLiteral(".ini");
#endif
    location.group = parts.sliced(ProgramKeyDepth).join(u'/');
    return location;
}

#ifdef Q_OS_WIN

// On Windows the registry itself is the store.
bool HasValues(QSettings& settings, const QString& group)
{
    settings.beginGroup(group);
    const bool any = !settings.allKeys().isEmpty();
    settings.endGroup();
    return any;
}

bool KeyExistsIn(const Location& location)
{
    QSettings settings(location.store, QSettings::NativeFormat);
    return HasValues(settings, location.group);
}

QString ValueIn(const Location& location, const QString& valueName)
{
    QSettings settings(location.store, QSettings::NativeFormat);
    settings.beginGroup(location.group);
    return settings.value(valueName).toString();
}

// The registry is read without side effects anyway.
QString PeekIn(const Location& location, const QString& valueName) { return ValueIn(location, valueName); }

QStringList SubKeysIn(const Location& location)
{
    QSettings settings(location.store, QSettings::NativeFormat);
    settings.beginGroup(location.group);
    QStringList names;
    for (const QString& name : settings.childGroups()) {
        if (HasValues(settings, name))
            names << name;
    }
    return names;
}

bool WriteIn(const std::vector<Location>& locations, const std::vector<RegWrite>& writes, bool create)
{
    QSettings settings(locations.front().store, QSettings::NativeFormat);
    if (!create) {
        for (const Location& location : locations) {
            if (!HasValues(settings, location.group))
                return false;
        }
    }
    for (std::size_t i = 0; i < writes.size(); ++i) {
        settings.beginGroup(locations[i].group);
        settings.setValue(writes[i].valueName, writes[i].data);
        settings.endGroup();
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

#else

// The key `group` exists while it or a key below it holds a value.
bool HasValues(const IniContents& contents, const QString& group)
{
    for (auto it = contents.groups.cbegin(); it != contents.groups.cend(); ++it) {
        const bool inside = group.isEmpty() || it.key() == group
                            || it.key().startsWith(group + u'/');
        if (inside && !it.value().isEmpty())
            return true;
    }
    return false;
}

bool KeyExistsIn(const Location& location)
{
    const auto contents = StoreFile::Load(location.store);
    return contents && HasValues(*contents, location.group);
}

QString ValueIn(const Location& location, const QString& valueName)
{
    const auto contents = StoreFile::Load(location.store);
    return contents ? contents->groups.value(location.group).value(valueName) : QString();
}

QString PeekIn(const Location& location, const QString& valueName)
{
    return StoreFile::Peek(location.store).groups.value(location.group).value(valueName);
}

QStringList SubKeysIn(const Location& location)
{
    const auto contents = StoreFile::Load(location.store);
    QStringList names;
    if (!contents)
        return names;
    const QString inside = location.group.isEmpty() ? QString() : location.group + u'/';
    for (auto it = contents->groups.cbegin(); it != contents->groups.cend(); ++it) {
        if (it.value().isEmpty() || !it.key().startsWith(inside) || it.key().size() == inside.size())
            continue;
        const QString name = it.key().sliced(inside.size()).section(u'/', 0, 0);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

bool WriteIn(const std::vector<Location>& locations, const std::vector<RegWrite>& writes, bool create)
{
    auto contents = StoreFile::Load(locations.front().store);
    if (!contents)
        return false;
    if (!create) {
        for (const Location& location : locations) {
            if (!HasValues(*contents, location.group))
                return false;
        }
    }
    for (std::size_t i = 0; i < writes.size(); ++i)
        contents->groups[locations[i].group][writes[i].valueName] = writes[i].data;
    return StoreFile::Save(locations.front().store, *contents);
}

#endif

} // namespace

bool KeyExists(std::uint32_t root, const QString& keyPath)
{
    const auto location = Locate(root, keyPath);
    return location && KeyExistsIn(*location);
}

QStringList SubKeys(std::uint32_t root, const QString& keyPath)
{
    const auto location = Locate(root, keyPath);
    return location ? SubKeysIn(*location) : QStringList();
}

QString ReadValue(std::uint32_t root, const QString& keyPath, const QString& valueName)
{
    const auto location = Locate(root, keyPath);
    return location ? ValueIn(*location, valueName) : QString();
}

QString PeekValue(std::uint32_t root, const QString& keyPath, const QString& valueName)
{
    const auto location = Locate(root, keyPath);
    return location ? PeekIn(*location, valueName) : QString();
}

bool WriteValues(std::uint32_t root, const std::vector<RegWrite>& writes, bool create)
{
    if (writes.empty())
        return true;
    std::vector<Location> locations;
    locations.reserve(writes.size());
    for (const RegWrite& write : writes) {
        const auto location = Locate(root, write.keyPath);
        if (!location)
            return false;
        // One write stays inside one program key, or it could not be one write.
        if (!locations.empty() && location->store != locations.front().store)
            return false;
        locations.push_back(*location);
    }
    return WriteIn(locations, writes, create);
}

} // namespace KeyStore
