// SPDX-License-Identifier: GPL-3.0-or-later
// Keys of the main window that no menu item carries: Ctrl+Q closes the
// game, Ctrl+F4 the window in front, F10 opens the menu bar as Alt does and
// the keys come back from it. And the watch on the last input, which tells
// whether the player is at the keyboard.
#include "app/MainForm.h"

#include "app/KeysComeBack.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTimer>

namespace {

bool IsCloseWindowKey(const QEvent* event)
{
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_F4 && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

// Ctrl+F4 is the sub-window's own close key only where the desktop's key
// scheme says so (not on X11 or Wayland), and there it would clash with a
// shortcut of ours: the key is taken here, before any shortcut, everywhere.
bool MainForm::InputWatch::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        if (event->type() == QEvent::KeyPress)
            keyboardLast = true;
        if (closeWindow && IsCloseWindowKey(event) && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == closeWindowIn) {
            event->accept();
            if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
                closeWindow();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: keyboardLast = false; break;
    default: break;
    }
    return false;
}

void MainForm::AddKeyboardCommands()
{
    qApp->installEventFilter(&inputWatch_);
    new KeysComeBack(*this);

    // Closing as the close box does, so the stage is closed and counted first.
    auto* quit = new QAction(this);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addAction(quit);

    // The selection window refuses to close; the others go as their close
    // box would have them.
    inputWatch_.closeWindowIn = this;
    inputWatch_.closeWindow = [this] {
        if (QMdiSubWindow* front = workspace_->activeSubWindow())
            front->close();
    };

    auto* menus = new QAction(this);
    menus->setShortcut(QKeySequence(Qt::Key_F10));
    connect(menus, &QAction::triggered, this, &MainForm::OpenMenuBarFromKeyboard);
    addAction(menus);
    menuBar()->installEventFilter(this);
    // A command chosen from the keyboard leaves the bar with the focus and
    // nothing highlighted: the keys go back once the command has run.
    connect(menuBar(), &QMenuBar::triggered, this, [this] {
        QTimer::singleShot(0, this, &MainForm::LeaveMenuBar);
    });
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

// The keys go back where they were before the bar took them: to the window
// in front when a command brought another one there, else to the widget the
// player left.
void MainForm::LeaveMenuBar()
{
    QMenuBar* bar = menuBar();
    // A command that asked a question (記録の削除): the box took the keys,
    // and this window is not active again yet when its command is done. The
    // window would hand the keys back to the bar when it is, with nothing
    // highlighted. Its own focus goes back to the player's place instead,
    // and the keys follow there once the window is active.
    if (!bar->hasFocus() && focusWidget() == bar) {
        bar->setActiveAction(nullptr);
        if (QWidget* back = ReturnPlaceFromMenus())
            back->setFocus(Qt::MenuBarFocusReason);
        return;
    }
    if (!bar->hasFocus()) {
        // A command that put the focus in a window of ours while its menu
        // was closing (the workshop's board): the toolkit gave it back
        // without telling assistive technology, which still stands on the
        // menu item.
        QWidget* focused = QApplication::focusWidget();
        if (focused && focused->window() == this) {
            QAccessibleEvent event(focused, QAccessible::Focus);
            QAccessible::updateAccessibility(&event);
        }
        return;
    }
    bar->setActiveAction(nullptr);
    if (QWidget* back = ReturnPlaceFromMenus())
        back->setFocus(Qt::MenuBarFocusReason);
    else
        bar->clearFocus();
}

QWidget* MainForm::ReturnPlaceFromMenus() const
{
    QMdiSubWindow* front = workspace_->activeSubWindow();
    QWidget* back = menuReturnFocus_;
    if (front && (!back || !front->isAncestorOf(back)))
        back = front->focusWidget() ? front->focusWidget() : front->widget();
    return back;
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    // Only while the bar itself has the keys: an open menu takes Escape first.
    if (watched == menuBar() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && menuBar()->hasFocus()) {
        LeaveMenuBar();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
