// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/KeysComeBack.h"

#include "app/DesktopKeys.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

// Longer than a window manager takes on a busy machine to hand the keys
// on, short enough that a player hardly presses a key in between.
constexpr int WaitMilliseconds = 400;

} // namespace

KeysComeBack::KeysComeBack(QWidget& home) : QObject(&home), home_(&home)
{
    wait_.setSingleShot(true);
    wait_.setInterval(WaitMilliseconds);
    connect(&wait_, &QTimer::timeout, this, &KeysComeBack::GiveBackIfNobodyHasThem);
    qApp->installEventFilter(this);
}

bool KeysComeBack::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow())
        return false;
    if (event->type() == QEvent::WindowActivate) {
        lastWithKeys_ = widget;
        wait_.stop();
    } else if (event->type() == QEvent::Hide && widget == lastWithKeys_) {
        wait_.start();
    }
    return false;
}

void KeysComeBack::GiveBackIfNobodyHasThem()
{
    // Another window of ours has them, or the player went to another program
    // with the window still shown.
    if (QApplication::activeWindow() || QApplication::activePopupWidget()
        || (lastWithKeys_ && lastWithKeys_->isVisible()))
        return;
    // Another program has them (the player went there meanwhile), or the
    // desktop does not tell: they are never taken from it.
    if (!DesktopKeys::NoWindowHasThem())
        return;
    QWidget* target = QApplication::activeModalWidget();
    if (!target)
        target = home_;
    if (target && target->isVisible() && !target->isMinimized())
        target->activateWindow();
}
