#include "select/GameSelect.h"

#include "app/MainForm.h"
#include "app/Twips.h"

#include <QScrollBar>

StageTip::StageTip(QWidget* parent) : QLabel(parent) {}

void StageTip::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    emit DblClick();
}

GameSelect::GameSelect(QWidget* parent) : QWidget(parent)
{
    setFixedSize(Twips::Size(3240, 3465));
    GameTip = new StageTip(this);
    GameTip->setGeometry(Twips::Rect(120, 120, 3000, 3000));
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setGeometry(Twips::Rect(120, 3120, 3015, 255));
    HScroll1->setRange(0, 29);
    connect(HScroll1, &QScrollBar::valueChanged, this, &GameSelect::HScroll1_Change);
    connect(GameTip, &StageTip::DblClick, this, &GameSelect::GameTip_DblClick);
    Form_Load();
}

void GameSelect::Form_Load() { ShowStage(0); }
void GameSelect::HScroll1_Change() { ShowStage(HScroll1->value()); }
void GameSelect::ShowStage(int) {}

void GameSelect::GameTip_DblClick()
{
    if (MainForm::Instance())
        MainForm::Instance()->mnu_Start_Click();
}
