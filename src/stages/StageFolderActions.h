// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"
#include "stages/PlayerStages.h"

#include <QString>

#include <optional>

class PlayerStageList;

// What the player does to the stages folder: add a stage, rename it (its
// figure added under another title), remove it. Each is one write through
// CrashSafeFile, decided and done under the folder's lock, which every copy
// of the program sharing the folder takes: a figure already there, whoever
// wrote it a moment ago, is never added twice. What is written or seen on
// disk goes into the list at once. Knows nothing of the windows.
namespace StageFolderActions {

// Why a stage file of this title and figure could not be read back; empty
// when it could. Checked as any file from outside would be, so that what is
// written can always be read back.
QString WritingRefusal(const QString& title, const Rules::Figure& figure);

// What becomes of adding `figure` under `title` (not empty): the stage that
// holds it already, renamed when its title differs; else, once its proof is
// known, a new file, or a refusal. nullopt while the proof is not known.
// `index` is left for the caller to find.
std::optional<PlayerStages::Added> AddIfProven(PlayerStageList& list, const QString& title, const Rules::Figure& figure);

// Deletes the files that hold the figure on disk now; false when one could
// not be deleted.
bool Remove(PlayerStageList& list, const Rules::Figure& figure);

// For the messages: a stage could not be written.
QString CannotSave();

} // namespace StageFolderActions
