#pragma once

#include <QString>

#include <cstdint>

// The record store: the user's names, the date of last use and one record per
// stage, all kept as strings under the program's key.
namespace RegUpRead {

// The root every caller passes: the current user's part of the store.
inline constexpr std::uint32_t HKEY_CURRENT_USER = 0x80000001u;

// The program's key path below the root.
inline const QString ProgramKey = QStringLiteral("SOFTWARE\\Brenhavel\\Zumirak");

// Filled by the readers.
extern bool KeyFound;
extern QString UserName;
extern QString CompanyName;
extern QString StageChargeNum;
extern QString StageClearTime;

// Stores `data` under `valueName` of the key `keyPath` below `root`.
// With `create` false a missing key is not created and nothing is written.
// True when the value reached the disk.
bool RegSetString(std::uint32_t root, const QString& keyPath, const QString& valueName,
                  const QString& data, bool create);

// Stamps LoadDate (never creating the key), sets KeyFound, and when the key
// exists reads UserName and CompanyName.
void RegReadUser();

// Stamps LoadDate, sets KeyFound, and when the key exists reads the record of
// `stage` into StageChargeNum and StageClearTime.
void RegReadStage(std::int16_t stage);

} // namespace RegUpRead
