// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The new-user window of the first run: company and user name. OK stores
// them with all stage records and hands over to the start-up, which shows the
// splash; closing it without OK writes nothing and ends the program.
class UserAdd : public QWidget {
    Q_OBJECT
public:
    UserAdd();

    QLabel* Label1[4] = {};
    QLineEdit* FactBox = nullptr;
    QLineEdit* UserBox = nullptr;
    QPushButton* Command1 = nullptr;

signals:
    // OK was pressed and the profile stored. Sent before the window closes,
    // so that the next window is up first: with no window left the program
    // would end.
    void Confirmed();

private:
    void Command1_Click();
};
