// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/DailyResult.h"

#include "select/DailyNumbers.h"

#include "shared/AccessibleRole.h"
#include "shared/Announce.h"
#include "shared/JapaneseFont.h"
#include "shared/ProgramPictures.h"
#include "stages/StageStars.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

QString StreakText(int streak)
{
    return QCoreApplication::translate("DailyResult", "連続 %n日", nullptr, streak);
}

QString DailyResultText(const DailyStage& stage, const DailyRecords::Day& day, int streak)
{
    QStringList lines;
    lines << QCoreApplication::translate("DailyResult", "ズミラク %1").arg(stage.title);
    lines << StarsText(stage.stars);
    lines << QCoreApplication::translate("DailyResult", "%1回目でクリア　%2秒").arg(day.chargeNum, day.clearTime);
    if (!day.ClearedOnTheDay())
        lines.back() += QCoreApplication::translate("DailyResult", "（後日）");
    lines << StreakText(streak);
    return lines.join(u'\n');
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

    const DailyRecords::Summary summary = DailyRecords::SummaryNow();
    Result = new QLabel(DailyResultText(stage, DailyRecords::Peek(stage.date), summary.streak), this);
    Result->setFont(GothicFont(12, false));
    Result->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Result->setFocusPolicy(Qt::StrongFocus);
    ResultLine = new QLabel(tr("Cキーで結果をコピーできます。"), this);
    Copy = new QPushButton(tr("コピー(&C)"), this);
    Numbers = new QPushButton(tr("記録とグラフ(&G)"), this);
    Close = new QPushButton(tr("閉じる"), this);
    Close->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Result);
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
    setAccessibleDescription(Result->text() + u'\n' + ResultLine->text());
    Result->setFocus();
}

void DailyResult::CopyResult()
{
    QGuiApplication::clipboard()->setText(Result->text());
    ResultLine->setText(tr("結果をコピーしました。"));
    Announce(*ResultLine, ResultLine->text());
}
