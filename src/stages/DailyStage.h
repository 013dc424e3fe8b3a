// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"

#include <QDate>
#include <QString>

// The stage of the day as the windows and the command line use it: its
// title, layout string, stars and the key of its record.
struct DailyStage {
    QDate date;
    QString title;      // "日替わりステージ 2026-12-08"
    Rules::Figure figure;
    QString layout;
    int stars = 0;      // as every stage's stars are shown (StageStars)
    QString recordKey;  // DailyRecords::RecordKey
};

// The stage of `date` (a valid date), made once per run and kept.
DailyStage DailyStageOf(const QDate& date);

// The date of a day's stage in its title, its caption and the shared result.
QString DailyTitle(const QDate& date);
