// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A record store of its own for a test: points the per-user config folder at
// an empty temporary folder for as long as it lives, so the player's real
// records are never touched and every test starts as a first run.

#include "records/RegUpRead.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class FreshStore {
public:
    FreshStore() : previous_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", folder_.path().toLocal8Bit());
    }
    ~FreshStore() { qputenv("XDG_CONFIG_HOME", previous_); }
    FreshStore(const FreshStore&) = delete;
    FreshStore& operator=(const FreshStore&) = delete;

    QString ConfigFolder() const { return folder_.path(); }
    QString MakerFolder() const { return folder_.path() + QStringLiteral("/Brenhavel"); }
    QString File() const { return MakerFolder() + QStringLiteral("/Zumirak.ini"); }

    // Everything in the config folder, to see what a run left behind.
    QStringList Contents() const
    {
        QStringList found;
        QDir dir(folder_.path());
        for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            found << entry;
        QDir maker(MakerFolder());
        for (const QString& entry : maker.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            found << QStringLiteral("Brenhavel/") + entry;
        return found;
    }

    // Stores what the new-user window stores: the names, LoadDate and every
    // stage record at its start. True when it reached the disk.
    static bool SetUpPlayer(const QString& company, const QString& user,
                            const QString& loadDate = RegUpRead::TodayText())
    {
        using namespace RegUpRead;
        std::vector<RegWrite> writes = {{ProgramKey, QStringLiteral("F_Name"), company},
                                        {ProgramKey, QStringLiteral("U_Name"), user},
                                        {ProgramKey, QStringLiteral("LoadDate"), loadDate}};
        const auto records = InitialStageRecords();
        writes.insert(writes.end(), records.begin(), records.end());
        return RegSetStrings(HKEY_CURRENT_USER, writes, true);
    }

    QByteArray ReadFile() const
    {
        QFile file(File());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Puts `contents` in place of the record file, as another program might.
    bool WriteFile(const QByteArray& contents) const
    {
        QDir().mkpath(MakerFolder());
        QFile file(File());
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
               && file.write(contents) == contents.size();
    }

private:
    QByteArray previous_;
    QTemporaryDir folder_;
};
