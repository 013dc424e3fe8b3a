#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The about window: title picture, version and the player's names. Not modal;
// there is never more than one.
class About : public QWidget {
    Q_OBJECT
public:
    // Opens the about window, or shows the one already open.
    static About* LoadAndShow();

    QLabel* F_Name = nullptr;
    QLabel* U_Name = nullptr;
    QPushButton* Command1 = nullptr;

private:
    About();
    void Form_Load();
    void Command1_Click();
};
