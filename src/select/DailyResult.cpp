// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/DailyResult.h"

#include "select/DailyNumbers.h"

#include "shared/AccessibleRole.h"
#include "shared/Announce.h"
#include "shared/JapaneseFont.h"
#include "shared/LocalDay.h"
#include "shared/ProgramPictures.h"
#include "stages/StageStars.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

QString StreakText(int streak)
{
    return QCoreApplication::translate("DailyResult", "連続 %n日", nullptr, streak);
}

QString DailyResultText(const DailyStage& stage, const DailyRecords::Day& day, const DailyRecords::Summary& summary)
{
    QStringList lines;
    lines << QCoreApplication::translate("DailyResult", "ズミラク %1").arg(stage.title);
    lines << StarsText(stage.stars);
    lines << QCoreApplication::translate("DailyResult", "%1回目でクリア　%2秒").arg(day.chargeNum, day.clearTime);
    if (!day.CountsForStreak())
        lines.back() += QCoreApplication::translate("DailyResult", "（後日）");
    // The streak goes with the day that belongs to it: today's, or
    // yesterday's cleared just after midnight. An older day's would tell
    // of other days.
    const bool dayOfTheStreak = day.CountsForStreak() && day.date >= summary.today.date.addDays(-1);
    if (dayOfTheStreak && summary.streak > 0)
        lines << StreakText(summary.streak);
    return lines.join(u'\n');
}

QString TimeToNextDailyText(const QDateTime& now)
{
    const qint64 seconds = now.secsTo(QDateTime(now.date().addDays(1), QTime(0, 0)));
    // Whole minutes left; the last seconds still read "1分".
    const int minutes = static_cast<int>(std::max<qint64>(1, seconds / 60));
    if (minutes < 60)
        return QCoreApplication::translate("DailyResult", "次の日替わりステージまで　あと%n分", nullptr, minutes);
    return QCoreApplication::translate("DailyResult", "次の日替わりステージまで　あと%1時間%2分")
        .arg(minutes / 60)
        .arg(minutes % 60);
}

QString DailySummaryText(const DailyRecords::Summary& summary)
{
    const DailyRecords::Day& today = summary.today;
    const QString state = today.Cleared()
                              ? QCoreApplication::translate("DailyResult", "クリア（%1回目・%2秒）")
                                    .arg(today.chargeNum, today.clearTime)
                              : QCoreApplication::translate("DailyResult", "未クリア");
    return QCoreApplication::translate("DailyResult", "日替わりステージ　今日：%1　クリアした日：%2　%3")
        .arg(state)
        .arg(summary.daysCleared)
        .arg(StreakText(summary.streak));
}

DailyResult::DailyResult(const DailyStage& stage, QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("日替わりステージの結果"));
    setWindowIcon(ProgramIcon());
    setFont(GothicFont(9, false));

    Result = new QLabel(DailyResultText(stage, DailyRecords::Peek(stage.date), DailyRecords::SummaryNow()), this);
    Result->setFont(GothicFont(12, false));
    Result->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Result->setFocusPolicy(Qt::StrongFocus);
    NextDaily = new QLabel(TimeToNextDailyText(LocalDay::Instance().Now()), this);
    ResultLine = new QLabel(tr("Cキーで結果をコピーできます。"), this);
    Copy = new QPushButton(tr("コピー(&C)"), this);
    Numbers = new QPushButton(tr("記録とグラフ(&G)"), this);
    Close = new QPushButton(tr("閉じる"), this);
    Close->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Result);
    layout->addWidget(NextDaily);
    layout->addWidget(ResultLine);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Copy);
    buttons->addWidget(Numbers);
    buttons->addWidget(Close);
    layout->addLayout(buttons);

    // C alone copies, as the line says; the button's underlined C and
    // Ctrl+C too.
    auto* key = new QShortcut(QKeySequence(Qt::Key_C), this);
    connect(key, &QShortcut::activated, this, &DailyResult::CopyResult);
    auto* copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, &DailyResult::CopyResult);
    connect(Copy, &QPushButton::clicked, this, &DailyResult::CopyResult);
    connect(Numbers, &QPushButton::clicked, this, [this] { DailyNumbers::Open(this); });
    connect(Close, &QPushButton::clicked, this, &QDialog::accept);

    // A screen reader hears the result when the window opens.
    Result->setAccessibleName(tr("結果"));
    Result->setAccessibleDescription(Result->text());
    setAccessibleDescription(Result->text() + u'\n' + NextDaily->text() + u'\n' + ResultLine->text());
    Result->setFocus();
}

void DailyResult::CopyResult()
{
    QGuiApplication::clipboard()->setText(Result->text());
    ResultLine->setText(tr("結果をコピーしました。"));
    Announce(*ResultLine, ResultLine->text());
}
