// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RegUpRead.h"

#include "records/RecordsNotice.h"

#include <QDate>
#include <QLocale>

#include <algorithm>

namespace RegUpRead {

bool KeyFound = false;
QString UserName;
QString CompanyName;
QString StageChargeNum;
QString StageClearTime;

namespace {

QString ReadString(const QString& keyPath, const QString& valueName)
{
    return KeyStore::ReadValue(HKEY_CURRENT_USER, keyPath, valueName);
}

// Writes today's date to LoadDate of an existing key and tells whether the
// key exists. The stamp never creates the key, so a first run leaves
// nothing behind. A stamp that fails to reach the disk does not make a
// set-up player look like a new one: nothing reads LoadDate, while a wrong
// "first run" would offer to register again and reset every record.
bool StampLoadDate()
{
    const bool stamped = RegSetString(HKEY_CURRENT_USER, ProgramKey, QStringLiteral("LoadDate"),
                                      TodayText(), false);
    return stamped || KeyStore::KeyExists(HKEY_CURRENT_USER, ProgramKey);
}

bool TouchesStageRecords(const std::vector<RegWrite>& writes)
{
    const QString stageKeys = ProgramKey + QStringLiteral("\\Round");
    return std::any_of(writes.begin(), writes.end(), [&](const RegWrite& write) {
        return write.keyPath.startsWith(stageKeys) || write.keyPath.startsWith(PlayerStageKeyPrefix)
               || write.keyPath.startsWith(DailyKeyPrefix);
    });
}

} // namespace

bool RegSetString(std::uint32_t root, const QString& keyPath, const QString& valueName,
                  const QString& data, bool create)
{
    return RegSetStrings(root, {{keyPath, valueName, data}}, create);
}

bool RegSetStrings(std::uint32_t root, const std::vector<RegWrite>& writes, bool create)
{
    const bool stored = KeyStore::WriteValues(root, writes, create);
    if (stored && TouchesStageRecords(writes))
        RecordsNotice::Instance().TellStageRecordsWritten();
    return stored;
}

void RegReadUser()
{
    KeyFound = StampLoadDate();
    if (KeyFound) {
        UserName = ReadString(ProgramKey, QStringLiteral("U_Name"));
        CompanyName = ReadString(ProgramKey, QStringLiteral("F_Name"));
    }
}

void RegReadStage(std::int16_t stage) { RegReadStage(StageKey(stage)); }

void RegReadStage(const QString& stageKey)
{
    KeyFound = StampLoadDate();
    if (KeyFound) {
        const StageRecordTexts record = PeekStage(stageKey);
        StageChargeNum = record.chargeNum;
        StageClearTime = record.clearTime;
    }
}

QString StageKey(int stage)
{
    return ProgramKey + QStringLiteral("\\Round") + QString::number(stage);
}

StageRecordTexts PeekStage(int stage) { return PeekStage(StageKey(stage)); }

StageRecordTexts PeekStage(const QString& stageKey)
{
    StageRecordTexts record{ReadString(stageKey, QStringLiteral("ChargeNum")),
                            ReadString(stageKey, QStringLiteral("ClearTime"))};
    if (stageKey.startsWith(PlayerStageKeyPrefix) || stageKey.startsWith(DailyKeyPrefix)) {
        if (record.chargeNum.isEmpty())
            record.chargeNum = QStringLiteral("1");
        if (record.clearTime.isEmpty())
            record.clearTime = QStringLiteral("0");
    }
    return record;
}

std::vector<RegWrite> InitialStageRecords()
{
    std::vector<RegWrite> writes;
    writes.reserve(2 * StageSlots);
    for (int stage = 0; stage < StageSlots; ++stage) {
        const std::vector<RegWrite> record = InitialStageRecord(StageKey(stage));
        writes.insert(writes.end(), record.begin(), record.end());
    }
    return writes;
}

std::vector<RegWrite> InitialStageRecord(const QString& stageKey)
{
    return {{stageKey, QStringLiteral("ChargeNum"), QStringLiteral("1")},
            {stageKey, QStringLiteral("ClearTime"), QStringLiteral("0")}};
}

QStringList PlayerStageKeys()
{
    const QString prefix = PlayerStageKeyPrefix.sliced(ProgramKey.size() + 1);
    QStringList keys;
    for (const QString& name : KeyStore::SubKeys(HKEY_CURRENT_USER, ProgramKey)) {
        if (name.startsWith(prefix))
            keys << ProgramKey + u'\\' + name;
    }
    return keys;
}

QString TodayText()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

} // namespace RegUpRead
