// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/KeyStore.h"
#include "rules/Figure.h"

#include <QObject>
#include <QString>

#include <vector>

// The player's own stages: stage files in the folder "stages" of the
// program's data folder, each proven clearable, in the order they were added
// (their file names are numbered). Their records live in the record store
// under a key made from their cells, so a renamed stage keeps its record.
namespace PlayerStages {

struct Entry {
    QString path;
    QString title;
    QString layout;
    Rules::Figure figure;
    QString recordKey;
};

// The folder's stages, read and proven once and kept until changed. A file
// that cannot be a stage is left out, with one line on standard error that
// names it and says why.
const std::vector<Entry>& All();

// Reads the folder again (after it was changed behind the program's back).
void Reload();

// Checks, proves and writes a new stage file. Returns the stage's index, or
// an error text for the player. A figure already there (the same cells) is
// not added twice: its index comes back with alreadyThere set.
struct Added {
    int index = -1;
    QString error;
    bool alreadyThere = false;
};
Added Add(const QString& title, const Rules::Figure& figure);

// Reads the stage file at `filePath`, then adds it as Add does.
Added Import(const QString& filePath);

// Deletes the stage's file and resets its record. False when there is no
// such stage or its file could not be deleted.
bool Remove(int index);

// The record store key of a figure's record: below
// RegUpRead::PlayerStageKeyPrefix, named by a hash of its cells.
QString RecordKey(const Rules::Figure& figure);

// ChargeNum "1" and ClearTime "0" for every stage in the folder: what
// deleting the records writes for them.
std::vector<KeyStore::RegWrite> InitialRecords();

// Where the files live.
QString Folder();

} // namespace PlayerStages

// Tells the windows that list stages that the player's stages changed.
class PlayerStagesNotice : public QObject {
    Q_OBJECT
public:
    static PlayerStagesNotice& Instance();
    void TellStagesChanged() { emit StagesChanged(); }

signals:
    void StagesChanged();

private:
    PlayerStagesNotice() = default;
};
