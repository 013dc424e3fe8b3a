// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/DailyRecords.h"

#include "records/RegUpRead.h"
#include "shared/LocalDay.h"

#include <QSet>

#include <algorithm>

namespace DailyRecords {

namespace {

constexpr char16_t KeyDateFormat[] = u"yyyyMMdd";

QString Read(const QString& key, const QString& value)
{
    return KeyStore::ReadValue(RegUpRead::HKEY_CURRENT_USER, key, value);
}

} // namespace

QString RecordKey(const QDate& date)
{
    return RegUpRead::DailyKeyPrefix + date.toString(QString::fromUtf16(KeyDateFormat));
}

QString DateText(const QDate& date) { return date.toString(Qt::ISODate); }

bool Day::Cleared() const
{
    // As the play window reads it: "0" is never cleared, and a lost value too.
    return !clearTime.isEmpty() && clearTime != QLatin1String("0");
}

bool Day::CountsForStreak() const { return Cleared() && (clearedOn == date || begunOn == date); }

Day::State Day::StateNow() const
{
    if (!Tried())
        return State::NotTried;
    if (!Cleared())
        return State::Tried;
    return CountsForStreak() ? State::ClearedOnTheDay : State::ClearedLater;
}

Day Peek(const QDate& date)
{
    Day day;
    day.date = date;
    const RegUpRead::StageRecordTexts record = RegUpRead::PeekStage(RecordKey(date));
    day.chargeNum = record.chargeNum;
    day.clearTime = record.clearTime;
    day.clearedOn = QDate::fromString(Read(RecordKey(date), ClearedOnValue), Qt::ISODate);
    day.begunOn = QDate::fromString(Read(RecordKey(date), BegunOnValue), Qt::ISODate);
    return day;
}

QList<Day> StoredDays()
{
    const QString prefix = RegUpRead::DailyKeyPrefix.sliced(RegUpRead::ProgramKey.size() + 1);
    QList<Day> days;
    for (const QString& name : KeyStore::SubKeys(RegUpRead::HKEY_CURRENT_USER, RegUpRead::ProgramKey)) {
        if (!name.startsWith(prefix))
            continue;
        // A section edited by hand into something that is no date is no day.
        const QDate date = QDate::fromString(name.sliced(prefix.size()), QString::fromUtf16(KeyDateFormat));
        if (date.isValid() && RecordKey(date) == RegUpRead::ProgramKey + u'\\' + name)
            days << Peek(date);
    }
    std::sort(days.begin(), days.end(), [](const Day& a, const Day& b) { return a.date < b.date; });
    return days;
}

Summary Summarise(const QList<Day>& days, const QDate& today)
{
    Summary summary;
    summary.today.date = today;
    QSet<qint64> counted;
    for (const Day& day : days) {
        if (day.date == today)
            summary.today = day;
        summary.daysCleared += day.Cleared() ? 1 : 0;
        if (day.CountsForStreak())
            counted.insert(day.date.toJulianDay());
    }
    qint64 day = today.toJulianDay();
    if (!counted.contains(day))
        --day;
    while (counted.contains(day)) {
        ++summary.streak;
        --day;
    }
    // Each run is walked once, from its first day.
    for (const qint64 first : counted) {
        if (counted.contains(first - 1))
            continue;
        int run = 0;
        while (counted.contains(first + run))
            ++run;
        summary.longestStreak = std::max(summary.longestStreak, run);
    }
    return summary;
}

Summary SummaryNow() { return Summarise(StoredDays(), LocalDay::Instance().Today()); }

std::vector<KeyStore::RegWrite> InitialRecords()
{
    std::vector<KeyStore::RegWrite> writes;
    for (const Day& day : StoredDays()) {
        std::vector<KeyStore::RegWrite> record = RegUpRead::InitialStageRecord(RecordKey(day.date));
        record.push_back({RecordKey(day.date), ClearedOnValue, QString()});
        record.push_back({RecordKey(day.date), BegunOnValue, QString()});
        writes.insert(writes.end(), record.begin(), record.end());
    }
    return writes;
}

} // namespace DailyRecords
