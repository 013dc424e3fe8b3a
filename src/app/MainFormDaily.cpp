// SPDX-License-Identifier: GPL-3.0-or-later
// The stage of the day: its menu, beside the Start command, and opening it
// in the play window beside the selection window.
#include "app/MainForm.h"

#include "select/DailyDateChooser.h"
#include "select/DailyPlay.h"
#include "shared/LocalDay.h"

#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

void MainForm::BuildDailyMenu()
{
    QMenu* daily = menuBar()->addMenu(tr("日替わり"));
    mnu_Daily = daily->menuAction();
    mnu_DailyToday = daily->addAction(tr("今日のステージ"));
    mnu_DailyToday->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    mnu_DailyToday->setStatusTip(tr("日付ごとにだれにでも同じステージを遊びます"));
    connect(mnu_DailyToday, &QAction::triggered, this, &MainForm::mnu_DailyToday_Click);
    mnu_DailyPast = daily->addAction(tr("日付を選んで遊ぶ..."));
    connect(mnu_DailyPast, &QAction::triggered, this, &MainForm::mnu_DailyPast_Click);
}

void MainForm::mnu_DailyToday_Click() { OpenDaily(LocalDay::Instance().Today()); }

void MainForm::mnu_DailyPast_Click()
{
    const QDate date = ChooseDailyDate(this);
    if (date.isValid())
        OpenDaily(date);
}

void MainForm::OpenDaily(const QDate& date)
{
    PlaySurroundings surroundings;
    surroundings.workspace = workspace_;
    surroundings.place = QPoint(gameSelectWindow_->geometry().right() + 1, 0);
    surroundings.panels = StatusBar1;
    surroundings.sound = this;
    surroundings.keyboardOpened = inputWatch_.keyboardLast;
    GameTable* table = OpenDailyStage(date, surroundings, this);
    if (table)
        MakeRoomFor(*table->SubWindow());
}
