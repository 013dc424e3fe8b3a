#pragma once

// A record store of its own for a test: points the per-user config folder at
// an empty temporary folder for as long as it lives, so the player's real
// records are never touched and every test starts as a first run.

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
