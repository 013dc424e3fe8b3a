// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

// When a window of ours that had the keys closes (a question answered, the
// about window), the window manager gives them to the window under it. A
// loaded desktop now and then gives them to no window at all: every key
// after that is lost, silently, and a player who cannot see the screen has
// no way to tell. If no window of the desktop has the keys a moment later,
// they come back to the game: to its open modal window, else to `home`.
// Never from another program, nor where the desktop does not tell.
class KeysComeBack : public QObject {
public:
    explicit KeysComeBack(QWidget& home);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void GiveBackIfNobodyHasThem();

    QPointer<QWidget> home_;
    QPointer<QWidget> lastWithKeys_;
    QTimer wait_;
};
