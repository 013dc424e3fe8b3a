// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message of the program goes through here: a modal box with the given
// text, title and buttons and no icon. Returns the button pressed.
// Lines in `text` are separated by "\r\n" as the messages are written; the box
// shows them as line breaks.
QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& text, const QString& title,
                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Tests answer message boxes instead of a player. The responder sees each box
// as it would be shown and returns the button to press. While it is set no
// real box opens.
struct MsgBoxShown {
    QString text;
    QString title;
    QMessageBox::StandardButtons buttons;
};
using MsgBoxResponder = std::function<QMessageBox::StandardButton(const MsgBoxShown&)>;
void SetMsgBoxResponderForTesting(MsgBoxResponder responder);
