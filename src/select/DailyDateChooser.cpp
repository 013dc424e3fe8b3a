// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/DailyDateChooser.h"

#include "shared/JapaneseFont.h"
#include "shared/ProgramPictures.h"

#include <QCalendarWidget>
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

    auto* note = new QLabel(
        QCoreApplication::translate("DailyDateChooser", "連続記録に数えるのは、その日のうちにクリアした日だけです。"),
        &dialog);
    auto* calendar = new QCalendarWidget(&dialog);
    calendar->setMinimumDate(QDate(2000, 1, 1));
    calendar->setMaximumDate(QDate::currentDate());  // no day ahead of its time
    calendar->setSelectedDate(QDate::currentDate().addDays(-1));
    calendar->setAccessibleName(QCoreApplication::translate("DailyDateChooser", "日付"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QCoreApplication::translate("DailyDateChooser", "遊ぶ"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QCoreApplication::translate("DailyDateChooser", "キャンセル"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(note);
    layout->addWidget(calendar);
    layout->addWidget(buttons);
    calendar->setFocus();
    return dialog.exec() == QDialog::Accepted ? calendar->selectedDate() : QDate();
}
