// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/GameSelect.h"

#include "stages/LayoutString.h"
#include "play/StagePicture.h"
#include "play/StageRecord.h"
#include "records/RecordsNotice.h"
#include "records/RegUpRead.h"
#include "select/ClearedMark.h"
#include "select/StageList.h"
#include "shared/AccessibleRole.h"
#include "shared/Announce.h"
#include "shared/JapaneseFont.h"
#include "shared/Twips.h"
#include "stages/PlayerStages.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <functional>

namespace {

// The stage bar under the picture. The toolkit's horizontal scroll bar
// inverts its controls so that the mouse wheel runs the natural way, and with
// them the arrow keys: Right would go back a stage. Keys are mapped here the
// way a scroll bar's keys work everywhere else: Left/Up back, Right/Down on,
// Page Up/Down three stages, Home/End to the first and last stage. Return
// (or Enter) starts the stage on display.
class StageScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;
    std::function<void()> returnPressed;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up: triggerAction(SliderSingleStepSub); break;
        case Qt::Key_Right:
        case Qt::Key_Down: triggerAction(SliderSingleStepAdd); break;
        case Qt::Key_PageUp: triggerAction(SliderPageStepSub); break;
        case Qt::Key_PageDown: triggerAction(SliderPageStepAdd); break;
        case Qt::Key_Home: triggerAction(SliderToMinimum); break;
        case Qt::Key_End: triggerAction(SliderToMaximum); break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (returnPressed && !event->isAutoRepeat())
                returnPressed();
            break;
        default: QScrollBar::keyPressEvent(event); return;
        }
        event->accept();
    }

    // The style draws no focus on a scroll bar: a frame in the highlight
    // colour shows the keyboard player where the keys go.
    void paintEvent(QPaintEvent* event) override
    {
        QScrollBar::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

// A player's stage whose proof is under way is listed, and says so.
QString TitleShown(int index)
{
    const QString title = StageList::Title(index);
    return StageList::Proven(index) ? title : title + QCoreApplication::translate("GameSelect", "（確認中）");
}

// What a screen reader says for the stage on display.
QString SpokenStage(int index, bool cleared)
{
    const QString title = TitleShown(index);
    return cleared ? QCoreApplication::translate("GameSelect", "%1　クリア済み").arg(title) : title;
}

} // namespace

StageTip::StageTip(QWidget* parent) : QLabel(parent) {}

void StageTip::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    emit DblClick();
}

GameSelect::GameSelect(QWidget* parent) : QWidget(parent)
{
    setFixedSize(Twips::Size(3240, 3465));
    setAutoFillBackground(true);
    // It hands its focus on to the bar and must not report it as its own.
    ExposeRole(*this, QAccessible::Client);
    // The window has no title bar; assistive technology still gets a name.
    setAccessibleName(tr("ステージ選択"));

    GameTip = new StageTip(this);
    GameTip->setGeometry(Twips::Rect(120, 120, 3000, 3000));
    GameTip->setFrameShape(QFrame::NoFrame);
    GameTip->setAlignment(Qt::AlignCenter);

    auto* bar = new StageScrollBar(Qt::Horizontal, this);
    bar->returnPressed = [this] { emit StartRequested(); };
    bar->setAccessibleDescription(tr("ステージの選択（Enterキーで開始）"));
    HScroll1 = bar;
    HScroll1->setGeometry(Twips::Rect(120, 3120, 3015, 255));
    HScroll1->setRange(0, StageList::Count() - 1);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(3);
    HScroll1->setValue(0);
    // While the thumb is dragged the stage on display stays; it changes when
    // the thumb is let go, like every other change of the bar.
    HScroll1->setTracking(false);
    // Scroll bars take no focus by default; this one is the window's only
    // stop in the tab order, so the arrow, page and Home/End keys leaf
    // through the stages.
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(HScroll1);

    Mark = new ClearedMark(GameTip);

    // The stage of the day, one step from here too.
    auto* daily = new QAction(tr("今日のステージ"), this);
    connect(daily, &QAction::triggered, this, &GameSelect::DailyRequested);
    for (QWidget* area : {static_cast<QWidget*>(GameTip), static_cast<QWidget*>(HScroll1)}) {
        area->addAction(daily);
        area->setContextMenuPolicy(Qt::ActionsContextMenu);
    }

    // Number and title of the stage, at the picture's foot, for every player
    // (the tooltip shows only under the mouse). Clicks pass to the picture.
    Caption = new QLabel(GameTip);
    Caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    Caption->setFont(GothicFont(9, false));
    Caption->setAutoFillBackground(true);
    QPalette captionColours = Caption->palette();
    captionColours.setColor(QPalette::Window, QColor(255, 255, 255, 200));
    captionColours.setColor(QPalette::WindowText, Qt::black);
    Caption->setPalette(captionColours);
    Caption->setIndent(3);
    // It fills the foot band the picture keeps free of the figure; a font
    // taller than the band is set smaller until it fits.
    QFont captionFont = Caption->font();
    while (QFontMetrics(captionFont).height() > StagePictureBand && captionFont.pointSizeF() > 6)
        captionFont.setPointSizeF(captionFont.pointSizeF() - 0.5);
    Caption->setFont(captionFont);
    Caption->setGeometry(0, GameTip->height() - StagePictureBand, GameTip->width(), StagePictureBand);

    connect(HScroll1, &QScrollBar::valueChanged, this, &GameSelect::HScroll1_Change);
    connect(GameTip, &StageTip::DblClick, this, &GameSelect::GameTip_DblClick);
    connect(&RecordsNotice::Instance(), &RecordsNotice::StageRecordsWritten, this,
            &GameSelect::ReadClearedStages);
    connect(&PlayerStagesNotice::Instance(), &PlayerStagesNotice::StagesChanged, this,
            &GameSelect::FollowStageList);
    ReadClearedStages();
    Form_Load();
}

void GameSelect::Form_Load() { ShowStage(0); }

void GameSelect::HScroll1_Change()
{
    const int index = HScroll1->value();
    ShowStage(index);
    // Said as the player leafs: the stage's number and title, and whether it
    // is cleared (the bar's new name, with the number before it). Leafed
    // from another window, that window says what it did.
    if (HScroll1->hasFocus())
        Announce(*HScroll1, tr("%1　%2", "stage number and title").arg(index).arg(HScroll1->accessibleName()));
}

// The play window reads the stage from GameTip when it opens, so the picture,
// the layout string and the title always change together.
void GameSelect::ShowStage(int index)
{
    GameTip->setPixmap(StageList::Picture(index, GameTip->devicePixelRatioF()));
    GameTip->Tag = StageList::Layout(index);
    const QString title = StageList::Title(index);
    GameTip->setToolTip(title);
    GameTip->setAccessibleName(title);
    GameTip->setAccessibleDescription(
        tr("ボール%1個").arg(ReadLayoutString(GameTip->Tag).balls.size()));
    // Shortened with "…" when it is wider than the picture (the picture's
    // tooltip holds the whole title), never cut through a character.
    const QMargins margins = Caption->contentsMargins();
    const int roomForText = GameTip->width() - margins.left() - margins.right() - 2 * Caption->indent();
    Caption->setText(Caption->fontMetrics().elidedText(tr("%1　%2", "stage number and title").arg(index).arg(TitleShown(index)), Qt::ElideRight,
                                                       roomForText));
    // Only as wide as its text: the figure is centred, so the corner it sits
    // in is mostly empty and as few balls as possible lie under it.
    Caption->resize(std::min(Caption->sizeHint().width(), GameTip->width()), Caption->height());
    ShowClearedMark(index);
    shownRecord_ = StageList::RecordKey(index);
}

// The player's stages were added, removed or changed: the bar's range
// follows, and the stage on display stays on display when it is still there
// (its number may have changed), so that nothing changes under the player.
void GameSelect::FollowStageList()
{
    const int stillThere = StageList::IndexOfRecord(shownRecord_);
    const QSignalBlocker quiet(HScroll1);
    HScroll1->setRange(0, StageList::Count() - 1);
    if (stillThere >= 0)
        HScroll1->setValue(stillThere);
    ReadClearedStages();
    ShowStage(HScroll1->value());
}

bool GameSelect::StageReady() const { return StageList::Proven(HScroll1->value()); }

void GameSelect::ReadClearedStages()
{
    cleared_.assign(static_cast<std::size_t>(StageList::Count()), false);
    for (int stage = 0; stage < StageList::Count(); ++stage) {
        const QString clearTime = RegUpRead::PeekStage(StageList::RecordKey(stage)).clearTime;
        cleared_[static_cast<std::size_t>(stage)] = StageRecord::ClearRecorded(clearTime);
    }
    ShowClearedMark(HScroll1->value());
}

void GameSelect::ShowClearedMark(int index)
{
    const bool cleared = index >= 0 && index < static_cast<int>(cleared_.size())
                         && cleared_[static_cast<std::size_t>(index)];
    Mark->setVisible(cleared);
    // Assistive technology reads the bar as the stage it shows: the change
    // of name is what a screen reader speaks as the player leafs.
    HScroll1->setAccessibleName(SpokenStage(index, cleared));
}

void GameSelect::LeafTo(int stage) { HScroll1->setValue(stage); }

DisplayedStage GameSelect::StageShown() const
{
    const int index = HScroll1->value();
    return {static_cast<std::int16_t>(index), GameTip->Tag, GameTip->toolTip(), StageList::RecordKey(index)};
}

void GameSelect::GameTip_DblClick()
{
    emit StartRequested();
}
