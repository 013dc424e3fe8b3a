// SPDX-License-Identifier: GPL-3.0-or-later
// Keys of the main window that no menu item carries: Ctrl+Q closes the
// game, F10 opens the menu bar as Alt does. And the watch on the last input,
// which tells whether the player is at the keyboard.
#include "app/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

bool MainForm::InputWatch::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: keyboardLast = true; break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: keyboardLast = false; break;
    default: break;
    }
    return false;
}

void MainForm::AddKeyboardCommands()
{
    qApp->installEventFilter(&inputWatch_);

    // Closing as the close box does, so the stage is closed and counted first.
    auto* quit = new QAction(this);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addAction(quit);

    auto* menus = new QAction(this);
    menus->setShortcut(QKeySequence(Qt::Key_F10));
    connect(menus, &QAction::triggered, this, &MainForm::OpenMenuBarFromKeyboard);
    addAction(menus);
    menuBar()->installEventFilter(this);
}

// The menu bar takes the keys with its first menu highlighted; Escape
// hands them back to where they were.
void MainForm::OpenMenuBarFromKeyboard()
{
    QMenuBar* bar = menuBar();
    if (bar->actions().isEmpty())
        return;
    if (QApplication::focusWidget() != bar)
        menuReturnFocus_ = QApplication::focusWidget();
    bar->setFocus(Qt::MenuBarFocusReason);
    bar->setActiveAction(bar->actions().constFirst());
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    // Only while the bar itself has the keys: an open menu takes Escape first.
    if (watched == menuBar() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && menuBar()->hasFocus()) {
        menuBar()->setActiveAction(nullptr);
        if (menuReturnFocus_)
            menuReturnFocus_->setFocus(Qt::MenuBarFocusReason);
        else
            menuBar()->clearFocus();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
