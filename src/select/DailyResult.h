// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/DailyRecords.h"
#include "stages/DailyStage.h"

#include <QDateTime>
#include <QDialog>

class QLabel;
class QPushButton;

// "連続 3日": the days in a row cleared on their own date.
QString StreakText(int streak);

// The lines a player shares after clearing a stage of the day: the date, the
// stars, the attempt and the time of the first clear, and the streak when the
// day counts for it and is its last (never a streak of 0). Nothing of the
// figure: the stage stays a puzzle for the next player.
QString DailyResultText(const DailyStage& stage, const DailyRecords::Day& day, const DailyRecords::Summary& summary);

// "次の日替わりステージまで　あと3時間12分": from `now` to the next midnight.
QString TimeToNextDailyText(const QDateTime& now);

// What the records overview says of the stage of the day: today's state,
// the days cleared and the streak, in one line.
QString DailySummaryText(const DailyRecords::Summary& summary);

// Shown after the clear of a stage of the day: the result, and one key (C)
// that copies it to the clipboard; the line under it says it was copied.
class DailyResult : public QDialog {
    Q_OBJECT
public:
    DailyResult(const DailyStage& stage, QWidget* parent);

    QLabel* Result = nullptr;     // the lines to share
    QLabel* NextDaily = nullptr;  // how long until the next stage of the day
    QLabel* ResultLine = nullptr;  // "Cキーで結果をコピーできます。", then "結果をコピーしました。"
    QPushButton* Copy = nullptr;
    QPushButton* Numbers = nullptr;  // opens the numbers and the chart (DailyNumbers)
    QPushButton* Close = nullptr;

    void CopyResult();
};
