// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QTimer;
class BallKeyboard;
class ShapedButton;
class SoundSwitch;
class StageOnDisplay;
class StatusPanels;

// What the play window needs from the windows around it. The main window
// provides them; tests provide light stand-ins. All must outlive the play
// window.
struct PlaySurroundings {
    QMdiArea* workspace = nullptr;          // the play window opens in it
    QPoint place;                           // at this top-left corner
    StatusPanels* panels = nullptr;         // written at load, by the clock, at close
    const SoundSwitch* sound = nullptr;     // read at every sound event
    const StageOnDisplay* stage = nullptr;  // read once, at load
    bool keyboardOpened = false;            // the focus mark shows from the start
};

// The play window: one stage, one ball button per ball, the clock and the
// stage's record. At most one exists; it lives in a sub-window of the main
// window's workspace and is deleted when it closes. The balls can be played
// with the keyboard too (BallKeyboard), and tell assistive technology where
// they stand and when they were taken.
class GameTable : public QWidget {
    Q_OBJECT
public:
    // Opens the play window on the stage on display, or, when one is open
    // already, only brings it to the front.
    static GameTable* LoadAndShow(const PlaySurroundings& surroundings);

    // The open play window, or nullptr.
    static GameTable* Instance();

    ~GameTable() override;

    // The workspace's frame around the play window.
    QMdiSubWindow* SubWindow() const { return subWindow_; }

    // The stage clock: 1000 ms, off until the first click, off after the clear.
    QTimer* Timer1 = nullptr;

    // Ball button k of the stage, k = 0 .. PushCommandCount() - 1. Element 0
    // always exists; it stays hidden when the layout gave no balls.
    ShapedButton* PushCommand(int index) const;
    int PushCommandCount() const { return static_cast<int>(pushCommand_.size()); }
    // The side of a board cell as drawn: 40 pixels as designed, less where
    // the window would not fit the screen otherwise.
    int CellPixels() const { return cellPixels_; }

    // The background picture, drawn at its own size from the top-left
    // corner; null when the picture file could not be read.
    const QImage& Picture() const { return picture_; }

    // State of this visit.
    QString StageNumber;   // the stage index as decimal text
    QString StageCleared;  // "1" once the stage was cleared in this visit
    std::int16_t ElapsedSeconds = 0;
    std::int16_t ClockStarted = 0;  // 1 from the first click on a ball

    // True when closing now would count a failed attempt at a listed stage.
    bool ClosingCountsAnAttempt() const;
    // True from the first take until the clear or the close.
    bool GameUnderWay() const;
    // The record the stage played keeps; empty for none.
    const QString& RecordKey() const { return recordKey_; }

    // A click on ball `index`: the first click starts clock and sounds, then
    // the move rules decide; the last take clears the stage.
    void PushCommand_Click(std::int16_t index);
    // One second of the stage clock.
    void Timer1_Timer();

signals:
    // The last ball was taken and the record written; sent once the player
    // has closed the "クリア" box.
    void StageClearedNow();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit GameTable(const PlaySurroundings& surroundings);

    void Form_Load();
    void Form_Unload();
    void StageClear();

    void SetBallOutline(ShapedButton& ball) const;
    void NameBall(ShapedButton& ball) const;
    void ShowTakeNumber(ShapedButton& ball) const;
    ShapedButton* AddBallButton(int index);
    void FitWindowToFigure(int maxLeft, int maxTop);
    void LoadWallpaper();
    void SetStatusPanel(int panel, const QString& text) const;
    bool SoundOn() const;

    // The stage's record as read at load: what the clear and the close
    // decide by, whoever reads the store meanwhile.
    QString loadedChargeNum_;
    QString loadedClearTime_;
    QString recordKey_;  // empty: the stage keeps no record
    bool recordsClearDate_ = false;
    QDate attemptBegunOn_;  // this visit is the attempt: the local date it opened on

    PlaySurroundings surroundings_;
    QMdiSubWindow* subWindow_ = nullptr;
    std::vector<ShapedButton*> pushCommand_;
    BallKeyboard* keyboard_ = nullptr;
    QImage picture_;
    int cellPixels_ = 40;  // the board's cell as drawn: 40 as designed, less on a small screen
    bool unloaded_ = false;
};
