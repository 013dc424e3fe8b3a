// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "play/GameTable.h"

#include <QDate>

// Opens the stage of `date` in the play window, with the date in its
// caption; after its clear, the result to share (DailyResult) opens over
// `resultOwner`. A play window open on another stage is closed first, and
// asked about when closing it would count an attempt. `surroundings.stage`
// is set here. Returns the play window, or nullptr when the player kept the
// stage in play.
GameTable* OpenDailyStage(const QDate& date, PlaySurroundings surroundings, QWidget* resultOwner);
