// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

// Every stage the player can choose from, by index: the thirty shipped
// stages (0 to 29), then the player's own in the order they were added
// (PlayerStages::FirstNumber on). The index is the stage's number wherever a
// window names it.
namespace StageList {

int Count();
bool IsPlayers(int index);
QString Title(int index);
QString Layout(int index);
// False while the proof of a player's stage is under way: it is listed,
// marked as such, and cannot be started yet.
bool Proven(int index);
// Its stars (StageStars); 0 while not proven.
int Stars(int index);
// The index of the stage whose record is under `recordKey`; -1 for none.
int IndexOfRecord(const QString& recordKey);
// The key of its record in the record store.
QString RecordKey(int index);
// Its picture, for the selection window.
QPixmap Picture(int index, qreal devicePixelRatio);

} // namespace StageList
