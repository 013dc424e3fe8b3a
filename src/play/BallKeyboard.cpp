// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/BallKeyboard.h"

#include "play/ShapedButton.h"
#include "shared/Announce.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <algorithm>

namespace {

bool ArrowOf(int key, ArrowDirection& direction)
{
    switch (key) {
    case Qt::Key_Left: direction = ArrowDirection::Left; return true;
    case Qt::Key_Right: direction = ArrowDirection::Right; return true;
    case Qt::Key_Up: direction = ArrowDirection::Up; return true;
    case Qt::Key_Down: direction = ArrowDirection::Down; return true;
    default: return false;
    }
}

bool IsBacktab(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Backtab || (key.key() == Qt::Key_Tab && (key.modifiers() & Qt::ShiftModifier));
}

} // namespace

BallKeyboard::BallKeyboard(QObject* parent) : QObject(parent) {}

void BallKeyboard::AddBall(ShapedButton* ball, QPoint cell)
{
    // Tab focus only: a click leaves the focus where it is (see above).
    ball->setFocusPolicy(Qt::TabFocus);
    ball->SetKeyboardFocusMark(keyboardUsed_);
    ball->installEventFilter(this);
    balls_.push_back(ball);
    cells_.push_back(cell);
}

void BallKeyboard::FocusFirstBall(bool markShown)
{
    if (balls_.empty())
        return;
    SetKeyboardUsed(markShown);
    FocusBall(0, Qt::OtherFocusReason);
}

bool BallKeyboard::eventFilter(QObject* watched, QEvent* event)
{
    const auto ball = std::find(balls_.begin(), balls_.end(), watched);
    if (ball == balls_.end())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        SetKeyboardUsed(false);
        place_ = static_cast<int>(ball - balls_.begin());
        return false;
    case QEvent::KeyPress:
        return HandleKey(static_cast<const QKeyEvent&>(*event));
    default:
        return false;
    }
}

bool BallKeyboard::HandleKey(const QKeyEvent& key)
{
    const int count = static_cast<int>(balls_.size());
    // Ctrl+Tab is left to the workspace: it switches between the stage and
    // the selection window.
    const bool tab = (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) &&
                     !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const bool press = key.key() == Qt::Key_Space || key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    ArrowDirection direction;
    const bool arrow = ArrowOf(key.key(), direction);
    if (!tab && !press && !arrow)
        return false;
    SetKeyboardUsed(true);

    if (tab) {
        const bool back = IsBacktab(key);
        FocusBall((place_ + (back ? count - 1 : 1)) % count, back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    } else if (arrow) {
        // Where there is no ball that way the focus stays; the key is still
        // taken, or the workspace would scroll.
        const int to = BallInDirection(cells_, place_, direction);
        FocusBall(to >= 0 ? to : place_, Qt::OtherFocusReason);
        // The focus did not move, so a screen reader would say nothing.
        if (to < 0)
            Announce(*balls_[static_cast<std::size_t>(place_)], QCoreApplication::translate("BallKeyboard", "この方向にボールはありません"));
    } else {
        FocusBall(place_, Qt::OtherFocusReason);
        // A held key presses once; the repeats would be refused takes with
        // their sounds.
        if (!key.isAutoRepeat())
            balls_[static_cast<std::size_t>(place_)]->click();
    }
    return true;
}

void BallKeyboard::FocusBall(int index, Qt::FocusReason reason)
{
    place_ = index;
    ShapedButton* ball = balls_[static_cast<std::size_t>(index)];
    // The play area hands its focus on to this ball. A click elsewhere on the
    // area then finds the focus already there and leaves it alone, instead
    // of moving it to the window's frame and back.
    if (QWidget* area = ball->parentWidget())
        area->setFocusProxy(ball);
    ball->setFocus(reason);
}

void BallKeyboard::SetKeyboardUsed(bool used)
{
    if (used == keyboardUsed_)
        return;
    keyboardUsed_ = used;
    for (ShapedButton* ball : balls_)
        ball->SetKeyboardFocusMark(used);
}
