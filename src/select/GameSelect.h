#pragma once

#include <QLabel>
#include <QWidget>

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

// The borderless window in which the player leafs through the thirty stages
// and starts one. The scroll bar's value is the stage index.
class GameSelect : public QWidget {
    Q_OBJECT
public:
    explicit GameSelect(QWidget* parent = nullptr);

    StageTip* GameTip = nullptr;
    QScrollBar* HScroll1 = nullptr;

private:
    void Form_Load();
    void HScroll1_Change();
    void GameTip_DblClick();
    void ShowStage(int index);
};
