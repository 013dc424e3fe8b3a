// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"
#include "stages/StageFile.h"

#include <QString>

#include <optional>

// The workshop's drawing in progress, kept on disk beside the player's
// stages ("draft.zumirak", a stage file) while it holds something not saved,
// so that a crash or the end of the session does not lose it; the next
// workshop opens on it. Written the crash-safe way the records are: the old
// draft or the new one, never a mixture.
namespace WorkshopDraft {

// Empty when the system gives no data folder.
QString Path();

// True when the draft reached the disk; otherwise one line on standard error
// says why.
bool Keep(const QString& title, const Rules::Figure& figure);

// The draft left, when one is there and reads as a stage file. A draft that
// does not is set aside as "<draft>.damaged-yyyyMMdd-HHmmss", as a damaged
// record file is.
std::optional<StageText> Left();

void Drop();

} // namespace WorkshopDraft
