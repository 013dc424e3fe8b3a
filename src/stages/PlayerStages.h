// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/KeyStore.h"
#include "rules/Figure.h"

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

// The player's own stages, as the windows list them: the facade the windows
// call. The stage files of the stages folder in the order of their numbers,
// each figure once, those proven not clearable or not proven within the
// solver's limits left out (PlayerStageList, FigureProver). They follow the
// thirty shipped stages and are named by the same stage numbers everywhere:
// the first is stage 30. Records: see PlayerStageRecords.
//
// The folder is read whole once; from then on the list follows what changes
// on disk, whoever changes it (FolderWatch says which names changed,
// FolderScan which files are to be read again: only those whose size, times
// or identity changed, once they are quiet). Adding, renaming and removing
// are StageFolderActions. A stage whose proof is still under way is listed
// as such. Everything here runs on the window's thread; the proofs run on
// the prover's.
namespace PlayerStages {

inline constexpr int FirstNumber = 30;  // after the thirty shipped stages

struct Entry {
    QString path;
    QString title;  // a file without a title shows DefaultTitle
    QString layout;
    Rules::Figure figure;
    QString recordKey;
    bool proven = false;  // false while its proof is under way: listed, not yet playable
    int stars = 0;        // 1..3 once proven
    bool operator==(const Entry&) const = default;
};

// The stages now. A file that cannot be a stage is left out, with one line on
// standard error that names it and says why.
const std::vector<Entry>& All();

// The stage number of the player's stage at `index` of All().
inline int Number(int index) { return FirstNumber + index; }

// The title of a stage whose title was left empty: 自作 and its number.
QString DefaultTitle(int number);

// The title a figure is saved under when the title is left empty: its own
// stage's when it is one already, otherwise that of the next new stage.
QString TitleLeftEmpty(const Rules::Figure& figure);

// Reads the whole folder again now (it is also followed on its own when it changes).
void Reload();

// What became of a stage added. `index` is its place in All() (also when it
// was there already, or was renamed), or -1 with `error` saying why not.
struct Added {
    int index = -1;
    QString error;
    bool alreadyThere = false;  // the same cells and title were there already
    bool renamed = false;       // the same cells were there under another title: now under this one
};
// Called with what became of an Add or Import: always later, from the event
// loop, never before Add or Import returns.
using AfterAdd = std::function<void(const Added&)>;

// Adds a stage of the player's own, once it is proven clearable (by the
// prover, unless it is proven already: the workshop proves what is drawn).
// The same cells under another title rename that stage: it keeps its place,
// its file and its record. An empty title is saved as TitleLeftEmpty. Once
// the stage is written, the list and the windows know it; `afterwards`
// follows.
void Add(const QString& title, const Rules::Figure& figure, const AfterAdd& afterwards);

// Adds at once, as Add does, a figure whose proof is known (the workshop's
// board is proven as it is drawn); refused when it is not known.
Added AddProvenNow(const QString& title, const Rules::Figure& figure);

// Reads the stage file at `filePath`, then adds it as Add does.
void Import(const QString& filePath, const AfterAdd& afterwards);

// Deletes the file that holds the figure now (checked on disk: whatever was
// written to the folder since, only a file with these cells goes), and resets
// the figure's record. False when such a file could not be deleted.
bool Remove(const Rules::Figure& figure);

// ChargeNum "1" and ClearTime "0" for every record of a player's stage, the
// stages listed now and any other the store holds: what deleting the records
// writes for them.
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
    void TellStageRemoved(const QString& recordKey) { emit StageRemoved(recordKey); }

signals:
    void StagesChanged();
    // A stage was deleted and its record goes with it: whatever plays it
    // writes nothing more under `recordKey`.
    void StageRemoved(const QString& recordKey);

private:
    PlayerStagesNotice() = default;
};
