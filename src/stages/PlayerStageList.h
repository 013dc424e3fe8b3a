// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stages/PlayerStages.h"
#include "stages/StageFolder.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include <map>
#include <optional>
#include <vector>

// The player's stages to show, in order, with their numbers: made from the
// stage files as last read and the prover's answers. Numbered files by
// number, then the others by name; each figure once (the first file that
// holds it); a file that cannot be a stage, or whose figure is proven not
// clearable, left out with one line on standard error. Knows nothing of how
// the files are watched or written.
//
// The figures the files hold are handed to the prover, their proofs kept on
// disk; a figure no file holds any more is let go.
class PlayerStageList {
public:
    // What was read of a file, in place of what was known of it.
    void Take(StageFolder::File file);
    // A file gone.
    void Drop(const QString& path);
    // All the files, read whole.
    void TakeAll(std::vector<StageFolder::File> files);

    // The signature of the file `name` as last read; nullopt when it was not.
    std::optional<StageFolder::Signature> SignatureOf(const QString& name) const;
    QStringList Names() const;
    // The files holding these packed cells.
    QStringList PathsHolding(const QByteArray& key) const;
    bool Holds(const QByteArray& key) const { return holders_.contains(key); }

    // A figure's proof became known: true when the list may change with it.
    bool ProofKnown(const QByteArray& key);

    // The list now.
    const std::vector<PlayerStages::Entry>& Entries();
    // The place of the figure's stage in the list now.
    std::optional<int> IndexOf(const Rules::Figure& figure);

    // The list the windows were told of: what they read changes nowhere
    // else. Publish makes it the list now: true when it changed (the windows
    // are to be told).
    const std::vector<PlayerStages::Entry>& Published() const { return published_; }
    bool Publish();

private:
    // The place of a file in the list: numbered names by number, then the others by name.
    struct FileOrder {
        bool numbered = false;
        qint64 number = 0;
        QString name;
        bool operator<(const FileOrder& other) const;
    };
    static FileOrder OrderOf(const QString& path);
    // A stage file as last read.
    struct FileState {
        StageFolder::File file;
        QByteArray key;  // the figure's packed cells, when read whole
        QString recordKey;
    };
    static FileState StateOf(StageFolder::File file);
    void Hold(const QByteArray& key, int change);
    void ReportOnce(const QString& path, const QString& why);

    std::map<FileOrder, FileState> files_;  // what the folder holds, as last read
    QHash<QByteArray, int> holders_;        // packed cells: how many files hold them
    std::vector<PlayerStages::Entry> entries_;  // the list now, made from `files_` when stale
    QHash<QByteArray, int> listed_;             // packed cells: index in `entries_`
    bool stale_ = true;
    std::vector<PlayerStages::Entry> published_;
    QSet<QString> reported_;  // files already named on standard error
};
