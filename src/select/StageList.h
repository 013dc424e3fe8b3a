// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

// Every stage the player can choose from, by index: the thirty shipped
// stages (0 to 29), then the player's own in the order they were added.
namespace StageList {

int Count();
bool IsPlayers(int index);
QString Title(int index);
QString Layout(int index);
// The key of its record in the record store.
QString RecordKey(int index);
// Its picture, for the selection window.
QPixmap Picture(int index, qreal devicePixelRatio);

} // namespace StageList
