// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/CommonDialog.h"
#include "shared/SoundSwitch.h"
#include "shared/StatusPanels.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QStatusBar>

#include <functional>

class QAction;
class QMdiArea;
class QMenu;
class QMdiSubWindow;
class GameSelect;

// The status bar's three panels, numbered from 1: clock, attempt, record.
class PanelStatusBar : public QStatusBar, public StatusPanels {
    Q_OBJECT
public:
    explicit PanelStatusBar(QWidget* parent = nullptr);
    QLabel* Panels(int index) const;  // 1..3

    void SetPanelText(int panel, const QString& text) override;
    void ResetPanelTexts() override;

private:
    QLabel* panels_[3] = {};
};

// The main window: a multiple-document frame with the stage selection window
// at its top-left corner, the play window beside it, the menu bar and the
// status bar. There is one for the run; Instance() finds it.
class MainForm : public QMainWindow, public SoundSwitch {
    Q_OBJECT
public:
    MainForm();
    ~MainForm() override;

    static MainForm* Instance();

    QMdiArea* Workspace() const { return workspace_; }
    GameSelect* Selection() const { return gameSelect_; }
    QMdiSubWindow* SelectionSubWindow() const { return gameSelectWindow_; }

    PanelStatusBar* StatusBar1 = nullptr;
    CommonDialog CommonDialog1;

    // Menu items, named as the menus are built.
    QAction* mnu_Start = nullptr;
    QAction* mnu_Daily = nullptr;       // the stage of the day (MainFormDaily.cpp)
    QAction* mnu_DailyToday = nullptr;
    QAction* mnu_DailyPast = nullptr;
    QAction* mnu_Option = nullptr;
    QAction* mnu_BackColar = nullptr;
    QAction* mnu_Sound = nullptr;
    QAction* mnu_SoundSet = nullptr;
    QAction* mnu_SoundHitBall = nullptr;
    QAction* mnu_SoundNoBall = nullptr;
    QAction* mnu_SoundClear = nullptr;
    QAction* mnu_SoundBack = nullptr;
    QAction* mnu_Ball = nullptr;
    QAction* mnu_Maru = nullptr;
    QAction* mnu_Daia = nullptr;
    QAction* mnu_Sankaku = nullptr;
    QAction* mnu_Ame = nullptr;
    QAction* mnu_Del = nullptr;
    QAction* mnu_RecordList = nullptr;
    QAction* mnu_StageMake = nullptr;
    QAction* mnu_Language = nullptr;
    QAction* mnu_Help = nullptr;
    QAction* mnu_MainHelp = nullptr;
    QAction* mnu_About = nullptr;

    // Grows the window, as far as the screen allows, so that the workspace
    // shows `subWindow` whole. What still does not fit is reached by scrolling.
    // With `givenBack` it returns to its size when that window goes.
    void MakeRoomFor(const QWidget& subWindow, bool givenBack = false);
    // Where the window cannot place itself: grown by maximizing it.
    void GrowByMaximizing(const QWidget& subWindow, bool givenBack);

    // The desktop session is ending: true when it may, having asked about an
    // unsaved drawing if `mayAsk`.
    bool EndSessionAllowed(bool mayAsk);

    // True while the master sound switch is on.
    bool SoundOn() const override;

public slots:
    void mnu_Start_Click();
    void mnu_DailyToday_Click();
    void mnu_DailyPast_Click();
    // Options (MainFormOptions.cpp)
    void mnu_BackColar_Click();
    void mnu_Maru_Click();
    void mnu_Daia_Click();
    void mnu_Sankaku_Click();
    void mnu_Ame_Click();
    void mnu_Del_Click();
    void mnu_RecordList_Click();
    void mnu_StageMake_Click();
    // Sound (MainFormSound.cpp)
    void mnu_Sound_Click();
    void mnu_SoundHitBall_Click();
    void mnu_SoundNoBall_Click();
    void mnu_SoundClear_Click();
    void mnu_SoundBack_Click();
    // Help (MainForm.cpp)
    void mnu_MainHelp_Click();
    void mnu_About_Click();
    // Keys (MainFormKeys.cpp)
    void OpenMenuBarFromKeyboard();
    void LeaveMenuBar();
    QWidget* ReturnPlaceFromMenus() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MDIForm_Load();
    void BuildMenus();
    void BuildLanguageMenu(QMenu& options);
    void BuildDailyMenu();
    void OpenDaily(const QDate& date);
    void SelectBallShape(QAction* item, const QString& shape);
    void AddKeyboardCommands();

    // Whether the player's last press was a key rather than a mouse button.
    struct InputWatch : QObject {
        bool keyboardLast = false;
        // Ctrl+F4 anywhere in `closeWindowIn` calls `closeWindow`.
        QWidget* closeWindowIn = nullptr;
        std::function<void()> closeWindow;
        bool eventFilter(QObject* watched, QEvent* event) override;
    };
    InputWatch inputWatch_;
    // Where the keys go back when the menu bar opened by F10 is left.
    QPointer<QWidget> menuReturnFocus_;

    // The ball-outline item that carries the check mark ("まる" at start,
    // while BallShape is still empty).
    QAction* checkedBallShape_ = nullptr;

    QMdiArea* workspace_ = nullptr;
    GameSelect* gameSelect_ = nullptr;
    QMdiSubWindow* gameSelectWindow_ = nullptr;
};
