// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QRect>
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

    // The rectangle whose inscribed ellipse is the window's shape: a window
    // of the given size in twips on a screen with the given twips per pixel,
    // in whole pixels (the remainder dropped).
    static QRect EllipseBounds(int widthTwips, int heightTwips, int twipsPerPixelX,
                               int twipsPerPixelY);

    QLabel* Label1[3] = {};
    QLabel* F_Name = nullptr;
    QLabel* U_Name = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void Timer1_Timer();

    QPixmap picture_;
};
