// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message of the program goes through here: a modal box with the given
// text, title and buttons and no icon. Returns the button pressed; Escape
// and the close box answer Cancel when the box offers it.
// Lines in `text` are separated by "\r\n" as the messages are written; the box
// shows them as line breaks and never breaks a line of its own (Japanese
// would be broken inside a word). `defaultButton` is the one Return presses;
// a question whose "yes" loses something makes Cancel its default.
// Save and Discard read 「保存」 and 「保存しない」.
// `spoken`, when given, is what a screen reader reads for the text: more
// than the box shows (the clear's time and attempt, which the status bar
// shows beside it).
QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& text, const QString& title,
                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                   QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                   const QString& spoken = QString());

// Tests answer message boxes instead of a player. The responder sees each box
// as it would be shown and returns the button to press. While it is set no
// real box opens.
struct MsgBoxShown {
    QString text;
    QString title;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString spoken;
};
using MsgBoxResponder = std::function<QMessageBox::StandardButton(const MsgBoxShown&)>;
// Fills `box` as MsgBox shows it, without showing it: for a look at a box
// that a responder answered.
void FillMsgBox(QMessageBox& box, const MsgBoxShown& shown, QWidget* parent);
void SetMsgBoxResponderForTesting(MsgBoxResponder responder);
