// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "play/PicForm.h"
#include "play/StageOnDisplay.h"

#include <QLabel>
#include <QWidget>

#include <vector>

class ClearedMark;
class QScrollBar;

// The stage picture of the selection window. Besides the picture and the
// title (as its tooltip) it carries the stage's layout string in `Tag`, which
// the play window reads when it opens.
class StageTip : public QLabel {
    Q_OBJECT
public:
    explicit StageTip(QWidget* parent = nullptr);
    QString Tag;

signals:
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The borderless window in which the player leafs through the thirty stages,
// then the player's own (StageList), and starts one. The scroll bar's value
// is the stage index.
class GameSelect : public QWidget, public StageOnDisplay {
    Q_OBJECT
public:
    explicit GameSelect(QWidget* parent = nullptr);

    StageTip* GameTip = nullptr;
    QScrollBar* HScroll1 = nullptr;
    // Over the picture's corner while the stage on display is cleared.
    ClearedMark* Mark = nullptr;
    // Number and title of the stage on display, over the picture's foot.
    QLabel* Caption = nullptr;

    // What the play window reads as it opens: the bar's value, and the layout
    // string and title carried by the picture.
    DisplayedStage StageShown() const override;

    // False while the stage on display cannot be started (its proof is under way).
    bool StageReady() const;

    // Leafs to `stage`, as the scroll bar would.
    void LeafTo(int stage);

signals:
    // A double click on the picture, or Return on the bar, asks for the
    // Start command.
    void StartRequested();
    // "今日のステージ" from the picture's or the bar's context menu (the
    // menu key, or a right click).
    void DailyRequested();

private:
    void Form_Load();
    void HScroll1_Change();
    void GameTip_DblClick();
    void ShowStage(int index);
    void ReadClearedStages();
    void ShowClearedMark(int index);
    void FollowStageList();

    // Which stages the store records as cleared, read once per change of
    // the records rather than at every leaf.
    std::vector<bool> cleared_;
    QString shownRecord_;  // the record key of the stage on display
};
