// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Which files of one folder are new, changed, gone, or still being written,
// compared with what was last taken from it. Only names with the given
// suffix count: a download in progress beside the stage files changes
// nothing here. Knows nothing of what the files hold.
//
// A file is taken once it has fallen quiet: its own times lie the settling
// time behind the clock, or it was seen unchanged for that long. A file that
// never falls quiet is taken anyway once it has been waited on for the
// longest wait, so that the folder is followed whatever goes on in it.
//
// The time is a parameter: the caller gives the clock, tests drive it.
class FolderScan {
public:
    static constexpr qint64 SettleNs = 2'000'000'000;       // quiet this long: whole, as far as anyone can tell
    static constexpr qint64 LongestWaitNs = 5'000'000'000;  // waited on this long: taken anyway

    // What tells whether a file changed since it was last taken: its
    // identity, size and times. Size alone misses a title fixed in place.
    struct Signature {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        bool operator==(const Signature&) const = default;
    };
    // The entry at `path` (a link that leads nowhere included; a folder is no
    // file); nullopt when there is none.
    static std::optional<Signature> SignatureOf(const QString& path);

    // The time now: the wall clock (file times are on it) and a clock that
    // never jumps (for how long a file was seen unchanged).
    struct Now {
        qint64 wallNs = 0;
        qint64 steadyNs = 0;
    };
    static Now ClockNow();
    // The clock ClockNow reads from now on (the tests drive it); empty: the system's.
    static void SetClockForTesting(std::function<Now()> clock);

    struct Changes {
        QStringList ready;  // new or changed, and quiet: to be read
        QStringList gone;   // taken once, not there any more
        // When the files still being written should be looked at again (on
        // the steady clock); nullopt when none is waited on.
        std::optional<qint64> lookAgainNs;
    };

    // The signature of the file `name` as it was last read; nullopt when it
    // was not (the one who reads the files keeps that).
    using TakenSignature = std::function<std::optional<Signature>(const QString& name)>;

    FolderScan(const QString& folder, const QString& suffix, TakenSignature taken);

    const QString& Folder() const { return folder_; }
    bool Counts(const QString& name) const;

    // Looks at these names of the folder; other names are ignored.
    Changes Look(const QStringList& names, Now now);
    // Looks at every file of the folder, and at these names taken before.
    Changes LookAtAll(const QStringList& takenNames, Now now);
    // Looks again at the files still being written.
    Changes LookAgain(Now now);

    // Forgets the files still being written: the folder was read whole.
    void Clear() { waiting_.clear(); }

private:
    struct Waiting {
        Signature signature;
        qint64 seenSinceNs = 0;  // seen with this signature since (steady clock)
        qint64 firstSeenNs = 0;  // waited on since (steady clock)
        qint64 quietAtNs = 0;    // when it will be quiet unless it changes again (steady clock)
    };
    bool Quiet(const QString& name, const Signature& signature, Now now);
    std::optional<qint64> NextLook() const;

    QString folder_;
    QString suffix_;  // ".zumirak"
    TakenSignature taken_;
    QHash<QString, Waiting> waiting_;
};
