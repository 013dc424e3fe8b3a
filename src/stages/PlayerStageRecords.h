// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/KeyStore.h"
#include "rules/Figure.h"

#include <QString>
#include <QStringList>

#include <vector>

// The records of the player's own stages: one per figure in the record
// store, under a key made from its cells, so that a stage renamed, moved to
// another place in the list or removed and added again keeps its record.
namespace PlayerStageRecords {

// The record store key of a figure's record: below
// RegUpRead::PlayerStageKeyPrefix, named by a hash of its cells.
QString RecordKey(const Rules::Figure& figure);

// ChargeNum "1" and ClearTime "0" for the records under `keys` and for every
// other record of a player's stage the store holds (stages removed by hand,
// or not proven now): what deleting the records writes for them.
std::vector<KeyStore::RegWrite> InitialRecords(const QStringList& keys);

// Takes a removed stage's record back to that of a stage never played, so
// that the figure does not bring an old record back when it returns.
void Reset(const QString& key);

} // namespace PlayerStageRecords
