// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;
class QPushButton;

// The about window: title picture, version and the player's names. Not modal;
// there is never more than one.
class About : public QWidget {
    Q_OBJECT
public:
    // Opens the about window, or shows the one already open.
    // `owner` (the main window) keeps it in front of itself, and on Wayland
    // the compositor centres it there.
    static About* LoadAndShow(QWidget* owner = nullptr);

    // The open about window, or nullptr.
    static About* Instance();

    QLabel* Label1[3] = {};  // only Label1(2), the version, is used
    QLabel* Label2[3] = {};  // Label2(1) and Label2(2), the captions of the names
    QLabel* F_Name = nullptr;
    QLabel* U_Name = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit About(QWidget* owner);
    ~About() override;
    void Form_Load();
    void Command1_Click();

    QPixmap picture_;
};
