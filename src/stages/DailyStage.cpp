// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/DailyStage.h"

#include "records/DailyRecords.h"
#include "rules/DailyFigure.h"
#include "stages/LayoutString.h"
#include "stages/StageStars.h"

#include <QCoreApplication>
#include <QHash>

QString DailyTitle(const QDate& date)
{
    return QCoreApplication::translate("DailyStage", "日替わりステージ %1").arg(DailyRecords::DateText(date));
}

DailyStage DailyStageOf(const QDate& date)
{
    static QHash<qint64, DailyStage> made;
    if (const auto found = made.constFind(date.toJulianDay()); found != made.cend())
        return *found;
    const Rules::DayFigure day = Rules::DailyFigure(date);
    DailyStage stage;
    stage.date = date;
    stage.title = DailyTitle(date);
    stage.figure = day.figure;
    stage.layout = LayoutOf(day.figure);
    stage.stars = StageStars(stage.layout);
    stage.recordKey = DailyRecords::RecordKey(date);
    made.insert(date.toJulianDay(), stage);
    return stage;
}
