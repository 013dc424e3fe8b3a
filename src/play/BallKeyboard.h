// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "play/BallNavigation.h"

#include <QObject>
#include <QPoint>

#include <vector>

class QKeyEvent;
class ShapedButton;

// Keyboard play on the balls of the play window. Tab and Shift+Tab go
// through the balls in ball order and wrap at either end; an arrow key goes
// to the nearest ball in that straight line (BallInDirection); Space and
// Return press the ball, which then does exactly what a click on it does.
// Every key handled here stays with the balls: none reaches the workspace
// behind the play window, which would scroll or leave the stage.
//
// The keys start from the ball the player last clicked or reached with a
// key. A click does not move the keyboard focus itself: every focus move
// inside the play window repaints the window's title bar, which would make
// each take dearer. The next key brings the focus to the clicked ball.
//
// The focus mark shows from the first key on; a mouse click on a ball hides
// it again, so a player who only uses the mouse never sees it.
class BallKeyboard : public QObject {
public:
    explicit BallKeyboard(QObject* parent = nullptr);

    // Adds the next ball in ball order, standing on `cell` (column, row).
    void AddBall(ShapedButton* ball, QPoint cell);

    // Gives the keyboard focus to ball 0, as the play window opens; with
    // `markShown` (opened from the keyboard) its focus mark shows at once.
    void FocusFirstBall(bool markShown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleKey(const QKeyEvent& key);
    void FocusBall(int index, Qt::FocusReason reason);
    void SetKeyboardUsed(bool used);

    std::vector<ShapedButton*> balls_;
    std::vector<QPoint> cells_;
    int place_ = 0;  // the ball the keys start from
    bool keyboardUsed_ = false;
};
