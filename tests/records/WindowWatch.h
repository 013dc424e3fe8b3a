// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program ends when its last window closes. WindowWatch notes, at the
// moment a watched window closes, whether any other window is still up: a
// window that closes before its successor is shown ends the program.

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

class WindowWatch : public QObject {
public:
    explicit WindowWatch(QWidget* watched) : watched_(watched) { watched->installEventFilter(this); }

    bool closed = false;
    bool othersOpenAtClose = false;

    static bool AnyWindowOpen(const QWidget* except = nullptr)
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != except && window->isVisible() && window->isWindow()
                && !(window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip))
                return true;
        }
        return false;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (object == watched_ && event->type() == QEvent::Close && !closed) {
            closed = true;
            othersOpenAtClose = AnyWindowOpen(watched_);
        }
        return false;
    }

private:
    QWidget* watched_;
};
