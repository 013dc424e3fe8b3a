// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/KeyStore.h"

#include <QString>

#include <cstdint>
#include <vector>

// The record store: the user's names, the date of last use and one record per
// stage, all kept as strings under the program's key.
namespace RegUpRead {

// The root every caller passes: the current user's part of the store.
inline constexpr std::uint32_t HKEY_CURRENT_USER = KeyStore::CurrentUserRoot;

// The program's key path below the root.
inline const QString ProgramKey = QStringLiteral("SOFTWARE\\Brenhavel\\Zumirak");

// Stage records are kept for stages 0 to StageSlots - 1.
inline constexpr int StageSlots = 50;

// The records of the player's own stages: one subkey per figure, its name
// starting with this (see PlayerStageRecords::RecordKey).
inline const QString PlayerStageKeyPrefix = ProgramKey + QStringLiteral("\\Stage");

// The records of the stage of the day: one subkey per date (see
// DailyRecords::RecordKey).
inline const QString DailyKeyPrefix = ProgramKey + QStringLiteral("\\Daily");

// Filled by the readers.
extern bool KeyFound;
extern QString UserName;
extern QString CompanyName;
extern QString StageChargeNum;
extern QString StageClearTime;

// One value of a write that belongs together with others.
using RegWrite = KeyStore::RegWrite;

// Stores `data` under `valueName` of the key `keyPath` below `root`.
// With `create` false a missing key is not created and nothing is written.
// True when the value reached the disk.
bool RegSetString(std::uint32_t root, const QString& keyPath, const QString& valueName,
                  const QString& data, bool create);

// Stores several values as one write: all of them reach the disk, or none.
// With `create` false nothing is written unless every key exists.
// A write that reached the disk and touched a stage record is announced
// through RecordsNotice.
bool RegSetStrings(std::uint32_t root, const std::vector<RegWrite>& writes, bool create);

// Stamps LoadDate (never creating the key), sets KeyFound, and when the key
// exists reads UserName and CompanyName.
void RegReadUser();

// Stamps LoadDate, sets KeyFound, and when the key exists reads the record of
// `stage` into StageChargeNum and StageClearTime.
void RegReadStage(std::int16_t stage);
// The same for the record under `stageKey` (StageKey, or a player's stage).
void RegReadStage(const QString& stageKey);

// The subkey that holds the record of `stage`: ProgramKey\Round<stage>.
QString StageKey(int stage);

// The record of `stage` as the store holds it now, "" for whatever is
// missing. Unlike RegReadStage it stamps nothing and fills no variable: it
// serves the windows that only show records.
struct StageRecordTexts {
    QString chargeNum;
    QString clearTime;
};
StageRecordTexts PeekStage(int stage);
// The same for the record under `stageKey`. A player's stage that was never
// played has no record yet: a value not written reads as a first attempt,
// never cleared ("1", "0").
StageRecordTexts PeekStage(const QString& stageKey);

// ChargeNum "1" and ClearTime "0" for every stage slot, in stage order: the
// records of a new user, and what deleting the records writes back.
std::vector<RegWrite> InitialStageRecords();
// ChargeNum "1" and ClearTime "0" for the record under `stageKey`.
std::vector<RegWrite> InitialStageRecord(const QString& stageKey);

// The keys of every record of a player's stage the store holds.
QStringList PlayerStageKeys();

// Today's date as LoadDate holds it: the system's short date format.
QString TodayText();

} // namespace RegUpRead
