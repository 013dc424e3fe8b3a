// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/GameTable.h"

#include "play/BallKeyboard.h"
#include "play/ChosenBallOutline.h"
#include "play/DefModule.h"
#include "play/MoveRules.h"
#include "play/PicForm.h"
#include "play/PlayWindowSize.h"
#include "play/Rnd.h"
#include "play/ShapedButton.h"
#include "play/SharedWallpaper.h"
#include "play/StageClock.h"
#include "play/StageOnDisplay.h"
#include "play/StageRecord.h"
#include "records/DailyRecords.h"
#include "records/RegUpRead.h"
#include "shared/AccessibleRole.h"
#include "shared/Announce.h"
#include "shared/AppPath.h"
#include "shared/FixedSubWindow.h"
#include "shared/JapaneseFont.h"
#include "shared/LocalDay.h"
#include "shared/MsgBox.h"
#include "shared/ScreenRoom.h"
#include "shared/SoundSwitch.h"
#include "shared/StatusPanels.h"
#include "shared/Twips.h"
#include "sound/SoundFailureMessage.h"
#include "sound/WAVEMIX.h"
#include "stages/LayoutString.h"
#include "stages/PlayerStages.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

GameTable* theGameTable = nullptr;

// Long enough to be seen where the eye was, short enough to be gone before
// the next click.
constexpr int RefusalMarkMilliseconds = 700;

// Sound channels of the stage.
constexpr std::int32_t MusicChannel = 0;
constexpr std::int32_t TakeChannel = 1;
constexpr std::int32_t ClearChannel = 2;
constexpr std::int32_t RefusalChannel = 3;

constexpr int BallTwips = 570;

// The board cell of a ball button's position in pixels: as designed twips /
// 600, to the nearest whole cell; on a board shrunk to fit the screen, by
// its cell.
std::int16_t CellOf(int pixels, int cellPixels)
{
    return static_cast<std::int16_t>(std::lround(pixels / double(cellPixels)));
}

// What assistive technology reads for a ball: its place, rows and columns
// counted from 1 at the top-left corner, and once taken its take number.
QString BallAccessibleName(int row, int column, const QString& caption)
{
    QString name = QCoreApplication::translate("GameTable", "ボール %1行 %2列").arg(row + 1).arg(column + 1);
    if (!caption.isEmpty())
        name += QCoreApplication::translate("GameTable", " %1番目に取得").arg(caption);
    return name;
}

} // namespace

GameTable::GameTable(const PlaySurroundings& surroundings) : surroundings_(surroundings)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    setWindowTitle(QStringLiteral("Form1"));
    ExposeRole(*this, QAccessible::Client);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &GameTable::Timer1_Timer);

    keyboard_ = new BallKeyboard(this);

    // The first ball button as designed; the others copy it at load.
    ShapedButton* first = AddBallButton(0);
    first->setGeometry(Twips::Rect(120, 120, BallTwips, BallTwips));
    first->setFont(GothicFont(14.25, true));

    // The stage played is deleted: its record is gone and stays so; the
    // window closes without writing to it.
    connect(&PlayerStagesNotice::Instance(), &PlayerStagesNotice::StageRemoved, this, [this](const QString& key) {
        if (key.isEmpty() || key != recordKey_)
            return;
        recordKey_.clear();
        close();
    });
}

GameTable::~GameTable()
{
    // Torn down without a close (the whole program going away): the sound
    // session must not outlive its window.
    if (!unloaded_) {
        WAVEMIX::SoundStop(MusicChannel);
        WAVEMIX::SoundClose();
    }
    if (theGameTable == this)
        theGameTable = nullptr;
}

GameTable* GameTable::Instance() { return theGameTable; }

GameTable* GameTable::LoadAndShow(const PlaySurroundings& surroundings)
{
    QMdiArea* workspace = surroundings.workspace;
    if (theGameTable) {
        workspace->setActiveSubWindow(theGameTable->subWindow_);
        return theGameTable;
    }

    auto* table = new GameTable(surroundings);
    QMdiSubWindow* frame = AddFixedSubWindow(*workspace, table);
    table->subWindow_ = frame;
    theGameTable = table;

    table->Form_Load();

    frame->move(surroundings.place);
    frame->show();
    workspace->setActiveSubWindow(frame);
    table->keyboard_->FocusFirstBall(surroundings.keyboardOpened);
    return table;
}

ShapedButton* GameTable::PushCommand(int index) const
{
    if (index < 0 || index >= PushCommandCount())
        return nullptr;
    return pushCommand_[static_cast<std::size_t>(index)];
}

ShapedButton* GameTable::AddBallButton(int index)
{
    auto* ball = new ShapedButton(this);
    if (index > 0) {
        ball->CopyPropertiesFrom(*pushCommand_.front());
        ball->hide();
    }
    connect(ball, &ShapedButton::Click, this, [this, index] { PushCommand_Click(static_cast<std::int16_t>(index)); });
    pushCommand_.push_back(ball);
    return ball;
}

void GameTable::Form_Load()
{
    // The stage on display as the window opens; nothing there gives an empty stage.
    const DisplayedStage shown = surroundings_.stage ? surroundings_.stage->StageShown() : DisplayedStage{};

    // 1. A fresh visit.
    ResetBoard();
    StageCleared.clear();
    StageNumber.clear();
    ElapsedSeconds = 0;
    ClockStarted = 0;

    // 2. The sound session; the stage goes on without sound when it fails.
    if (!WAVEMIX::SoundInit())
        ShowSoundFailureMessage(this);

    // 3. The outline, which every later ball copies from the first.
    SetBallOutline(*pushCommand_.front());

    // 4., 5. The stage and its record; a stage without one plays as a
    // first attempt that leaves no trace.
    StageNumber = QString::number(shown.index);
    recordKey_ = shown.recordKey;
    recordsClearDate_ = shown.recordsClearDate;
    if (recordsClearDate_)
        attemptBegunOn_ = LocalDay::Instance().Today();
    if (recordKey_.isEmpty()) {
        loadedChargeNum_ = QStringLiteral("1");
        loadedClearTime_ = QStringLiteral("0");
    } else {
        RegUpRead::RegReadStage(recordKey_);
        loadedChargeNum_ = RegUpRead::StageChargeNum;
        loadedClearTime_ = RegUpRead::StageClearTime;
    }

    // 6., 7. The record in the status bar.
    SetStatusPanel(3, StageRecord::BestTimeText(loadedClearTime_));
    SetStatusPanel(2, StageRecord::AttemptText(loadedChargeNum_, loadedClearTime_));

    // 8. to 11. One button per ball record, each on its cell with a random
    // picture, ball 0 first. A layout that does not read gives no balls.
    const LayoutReading layout = ReadLayoutString(shown.layout);
    int maxLeft = 0;
    int maxTop = 0;
    for (const BallRecord& record : layout.balls) {
        maxLeft = std::max(maxLeft, record.left);
        maxTop = std::max(maxTop, record.top);
    }
    // The board's cell, shrunk where the window would not fit the screen
    // (13.); every ball is drawn and clicked at that size.
    FitWindowToFigure(maxLeft, maxTop);
    if (cellPixels_ != DesignCellPixels)
        pushCommand_.front()->SetSide(BallPixels(cellPixels_));
    if (layout.balls.empty())
        pushCommand_.front()->hide();
    for (std::size_t k = 0; k < layout.balls.size(); ++k) {
        const BallRecord& record = layout.balls[k];
        ShapedButton* ball = k == 0 ? pushCommand_.front() : AddBallButton(static_cast<int>(k));
        ball->move(Twips::Point(record.left, record.top) * cellPixels_ / DesignCellPixels);
        const std::int16_t row = CellOf(ball->y(), cellPixels_);
        const std::int16_t column = CellOf(ball->x(), cellPixels_);
        PlaceBall(row, column);
        ball->SetPicture(PicForm::Ball(RandomBallPicture()));
        keyboard_->AddBall(ball, QPoint(column, row));
        NameBall(*ball);
        ball->show();
    }
    // PlaceBall counted the balls into BallCount; nothing is taken yet.
    DefModule::TakeCount = 0;

    // 12. The stage title as caption.
    if (surroundings_.stage)
        setWindowTitle(shown.title);
    setAccessibleName(windowTitle());  // the play area reads as its stage

    // 14. Background.
    LoadWallpaper();
}

void GameTable::SetBallOutline(ShapedButton& ball) const { ApplyChosenBallOutline(ball); }

void GameTable::NameBall(ShapedButton& ball) const
{
    ball.setAccessibleName(
        BallAccessibleName(CellOf(ball.y(), cellPixels_), CellOf(ball.x(), cellPixels_), ball.Caption()));
}

void GameTable::ShowTakeNumber(ShapedButton& ball) const
{
    ball.SetCaption(QString::number(DefModule::TakeCount));
    NameBall(ball);
    // The new name, said once: which ball was taken and its take number.
    Announce(ball, ball.accessibleName());
}

void GameTable::FitWindowToFigure(int maxLeft, int maxTop)
{
    if (!subWindow_)
        return;
    // Our frame: what the sub-window adds around the play area.
    subWindow_->ensurePolished();
    const QMargins frame = subWindow_->contentsMargins();
    const QSize room = surroundings_.workspace ? ScreenRoom::SubWindowRoom(*surroundings_.workspace, surroundings_.place)
                                               : QSize();
    const PlayWindowFit fit = FitPlayWindow(maxLeft, maxTop, frame, room);
    cellPixels_ = fit.cellPixels;
    subWindow_->setFixedSize(fit.outer);
}

void GameTable::LoadWallpaper()
{
    // A missing or unreadable picture leaves the plain window colour.
    picture_ = SharedWallpaper(DefModule::WallpaperPath);
    update();
}

void GameTable::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}

void GameTable::PushCommand_Click(std::int16_t index)
{
    ShapedButton* ball = PushCommand(index);
    if (!ball || ball->isHidden())
        return;

    // The first click of the visit starts the clock and the sounds.
    if (ClockStarted == 0) {
        ClockStarted = 1;
        Timer1->start();
        WAVEMIX::SoundLoadWave(DefModule::HitSoundPath, TakeChannel);
        WAVEMIX::SoundLoadWave(DefModule::WinSoundPath, ClearChannel);
        WAVEMIX::SoundLoadWave(DefModule::NoSoundPath, RefusalChannel);
        WAVEMIX::SoundLoadWave(DefModule::BackSoundPath, MusicChannel);
        if (SoundOn())
            WAVEMIX::SoundPlay(MusicChannel, -1);
    }

    switch (ClickBall(CellOf(ball->y(), cellPixels_), CellOf(ball->x(), cellPixels_))) {
    case ClickOutcome::Refused:
        if (SoundOn())
            WAVEMIX::SoundPlay(RefusalChannel, 0);
        // Shown as well, for whoever does not hear the sound.
        ball->ShowRefusalMark(RefusalMarkMilliseconds);
        // Said without a window, so the player stays on the ball; the
        // ball keeps its own name.
        Announce(*ball, tr("このボールは選択できません"));
        return;
    case ClickOutcome::Taken:
        if (SoundOn())
            WAVEMIX::SoundPlay(TakeChannel, 0);
        ShowTakeNumber(*ball);
        return;
    case ClickOutcome::Completed:
        ShowTakeNumber(*ball);
        StageClear();
        return;
    }
}

void GameTable::Timer1_Timer()
{
    ElapsedSeconds = StageClock::NextSecond(ElapsedSeconds);
    SetStatusPanel(1, StageClock::Text(ElapsedSeconds));
}

void GameTable::StageClear()
{
    if (SoundOn())
        WAVEMIX::SoundPlay(ClearChannel, 0);
    WAVEMIX::SoundStop(MusicChannel);
    Timer1->stop();

    // Only the first clear of a stage is recorded: attempt number and time
    // in one write, so the disk is synced once and the windows showing
    // records are told once.
    if (StageRecord::NeverCleared(loadedClearTime_) && !recordKey_.isEmpty()) {
        std::vector<RegUpRead::RegWrite> record = {
            {recordKey_, QStringLiteral("ChargeNum"), loadedChargeNum_},
            {recordKey_, QStringLiteral("ClearTime"), StageRecord::ClearTimeText(ElapsedSeconds)}};
        if (recordsClearDate_) {
            record.push_back({recordKey_, DailyRecords::ClearedOnValue, DailyRecords::DateText(LocalDay::Instance().Today())});
            record.push_back({recordKey_, DailyRecords::BegunOnValue, DailyRecords::DateText(attemptBegunOn_)});
        }
        RegUpRead::RegSetStrings(RegUpRead::HKEY_CURRENT_USER, record, true);
    }
    StageCleared = QStringLiteral("1");

    // The box says only クリア; a screen reader hears the time and the
    // attempt with it, which a sighted player reads off the status bar.
    const QPointer<GameTable> self(this);
    MsgBox(this, tr("クリア"), tr("ズミラク"), QMessageBox::Ok, QMessageBox::NoButton,
           tr("クリア　%1　%2", "cleared, the time and the attempt, read aloud")
               .arg(StageClock::Text(ElapsedSeconds), StageRecord::AttemptText(loadedChargeNum_, loadedClearTime_)));
    if (self)
        emit StageClearedNow();
}

void GameTable::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
    if (theGameTable == this)
        theGameTable = nullptr;
    // Closed on its own (as the main window does): the frame goes with it.
    // When the frame started the close, this returns at once.
    if (subWindow_)
        subWindow_->close();
}

bool GameTable::GameUnderWay() const
{
    return !unloaded_ && ClockStarted == 1 && StageCleared != QLatin1String("1");
}

bool GameTable::ClosingCountsAnAttempt() const
{
    // An attempt without a clear counts, as long as the stage was never cleared.
    return !unloaded_ && StageCleared != QLatin1String("1") && StageRecord::NeverCleared(loadedClearTime_)
           && !recordKey_.isEmpty();
}

void GameTable::Form_Unload()
{
    if (unloaded_)
        return;
    if (ClosingCountsAnAttempt()) {
        RegUpRead::RegSetString(RegUpRead::HKEY_CURRENT_USER, recordKey_, QStringLiteral("ChargeNum"),
                                StageRecord::NextAttemptNumber(loadedChargeNum_), true);
    }
    unloaded_ = true;
    ClockStarted = 0;
    Timer1->stop();  // no tick may reach the status bar after it is reset

    WAVEMIX::SoundStop(MusicChannel);
    WAVEMIX::SoundClose();

    if (surroundings_.panels)
        surroundings_.panels->ResetPanelTexts();
}

void GameTable::SetStatusPanel(int panel, const QString& text) const
{
    if (surroundings_.panels)
        surroundings_.panels->SetPanelText(panel, text);
}

bool GameTable::SoundOn() const
{
    return surroundings_.sound && surroundings_.sound->SoundOn();
}
