// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/DailyDateChooser.h"

#include "select/DailyCalendar.h"
#include "shared/JapaneseFont.h"
#include "shared/LocalDay.h"
#include "shared/ProgramPictures.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QDate ChooseDailyDate(QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QCoreApplication::translate("DailyDateChooser", "日付を選んで遊ぶ"));
    dialog.setWindowIcon(ProgramIcon());
    dialog.setFont(GothicFont(9, false));

    // The streak's one rule, where the player chooses a day.
    auto* note = new QLabel(QCoreApplication::translate("DailyDateChooser", "連続記録に数えるのは、その日のうちにクリアした日と、その日に始めた挑戦でクリアした日です。"),
                            &dialog);
    note->setWordWrap(true);
    auto* calendar = new DailyCalendar(LocalDay::Instance().Today(), &dialog);
    calendar->setSelectedDate(LocalDay::Instance().Today().addDays(-1));
    auto* legend = new QLabel(QCoreApplication::translate("DailyDateChooser", "● その日にクリア　○ 後日クリア　△ 挑戦したが未クリア　★ 難しさ"), &dialog);
    legend->setWordWrap(true);
    // Read with the grid as it takes the focus: what it shows, and the rule.
    calendar->Days()->setAccessibleDescription(note->text() + u'\n' + legend->text());

    auto* latest = new QPushButton(QCoreApplication::translate("DailyDateChooser", "まだクリアしていない最新の日へ(&N)"), &dialog);
    QObject::connect(latest, &QPushButton::clicked, calendar, [calendar] {
        calendar->Days()->setFocus();
        calendar->setSelectedDate(calendar->LatestNotCleared());
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QCoreApplication::translate("DailyDateChooser", "遊ぶ"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QCoreApplication::translate("DailyDateChooser", "キャンセル"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
    QObject::connect(&LocalDay::Instance(), &LocalDay::DayChanged, calendar, &DailyCalendar::SetToday);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(note);
    layout->addWidget(calendar, 1);
    layout->addWidget(legend);
    auto* row = new QHBoxLayout;
    row->addWidget(latest);
    row->addStretch();
    row->addWidget(buttons);
    layout->addLayout(row);
    calendar->Days()->setFocus();
    return dialog.exec() == QDialog::Accepted ? calendar->selectedDate() : QDate();
}
