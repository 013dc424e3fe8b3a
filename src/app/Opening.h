#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The splash: an elliptic, borderless window with the title picture, the
// version and the player's names. After 2500 ms it closes and opens the
// main window.
class Opening : public QWidget {
    Q_OBJECT
public:
    Opening();

    QLabel* F_Name = nullptr;
    QLabel* U_Name = nullptr;
    QTimer* Timer1 = nullptr;

private:
    void Form_Load();
    void Timer1_Timer();
};
