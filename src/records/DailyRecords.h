// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/KeyStore.h"

#include <QDate>
#include <QList>
#include <QString>

#include <vector>

// The records of the stage of the day, one per date in the record store:
// the attempt number and the seconds of the first clear, as every stage
// has (ChargeNum, ClearTime), and the local date on which it was cleared
// (ClearedOn) and on which the attempt that cleared it began (BegunOn), for
// the streak. The play window writes them like any stage's record, in the
// write of the first clear; a record from before BegunOn was kept has
// ClearedOn alone and counts as it always did.
namespace DailyRecords {

// The record store key of `date`'s record: ...\Daily20261208.
QString RecordKey(const QDate& date);

// The values the play window adds to the write of a day's first clear.
inline const QString ClearedOnValue = QStringLiteral("ClearedOn");
inline const QString BegunOnValue = QStringLiteral("BegunOn");
QString DateText(const QDate& date);  // 2026-12-08

struct Day {
    QDate date;
    QString chargeNum = QStringLiteral("1");  // a day never played: first attempt
    QString clearTime = QStringLiteral("0");
    QDate clearedOn;                          // invalid while not cleared
    QDate begunOn;                            // the clearing attempt's start; invalid in older records
    bool Cleared() const;
    // The one rule of the streak: a day counts when its stage was cleared
    // on its date, or in an attempt begun on its date.
    bool CountsForStreak() const;
    bool Tried() const { return Cleared() || chargeNum != QLatin1String("1"); }
    // What the calendar and the chart show of the day at a glance.
    enum class State { NotTried, Tried, ClearedLater, ClearedOnTheDay };
    State StateNow() const;
};

// The record of one day as the store holds it now.
Day Peek(const QDate& date);

// Every day the store holds a record of, oldest first.
QList<Day> StoredDays();

// What the records overview and the shared result show.
struct Summary {
    Day today;
    int daysCleared = 0;  // days cleared, on their date or later
    int streak = 0;       // days in a row up to today that count for the streak
    int longestStreak = 0;  // the longest such run ever, the current one included
};
// A run still counts on a day not yet cleared: it ends at yesterday then.
Summary Summarise(const QList<Day>& days, const QDate& today);
Summary SummaryNow();

// ChargeNum "1", ClearTime "0" and no ClearedOn for every stored day: what
// deleting the records writes for them.
std::vector<KeyStore::RegWrite> InitialRecords();

} // namespace DailyRecords
