#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The new-user window of the first run: company and user name. OK stores
// them with all stage records and goes on to the splash; closing it without
// OK writes nothing and ends the program.
class UserAdd : public QWidget {
    Q_OBJECT
public:
    UserAdd();

    QLabel* Label1[4] = {};
    QLineEdit* FactBox = nullptr;
    QLineEdit* UserBox = nullptr;
    QPushButton* Command1 = nullptr;

private:
    void Command1_Click();
};
