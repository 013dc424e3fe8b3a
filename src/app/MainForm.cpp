// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainForm.h"

#include "app/About.h"
#include "app/InterfaceLanguage.h"
#include "play/DefModule.h"
#include "play/GameTable.h"
#include "select/GameSelect.h"
#include "select/RecordsOverview.h"
#include "shared/AccessibleMenuItems.h"
#include "shared/AccessibleRole.h"
#include "shared/AppPath.h"
#include "shared/FormLayout.h"
#include "shared/MsgBox.h"
#include "shared/ProgramPictures.h"
#include "shared/ScreenRoom.h"
#include "shared/Twips.h"
#include "workshop/StageWorkshop.h"

#include <QActionGroup>
#include <QApplication>
#include <QSessionManager>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QUrl>

#include <algorithm>

namespace {

MainForm* theMainForm = nullptr;

// The selection window stays where it is for the whole run: it cannot be
// moved, resized or closed by the player (Ctrl+F4 included).
class FixedSubWindow : public QMdiSubWindow {
public:
    using QMdiSubWindow::QMdiSubWindow;
    bool closingAllowed = false;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (closingAllowed)
            QMdiSubWindow::closeEvent(event);
        else
            event->ignore();
    }
};

struct PanelDesign {
    const char* text;
    const char* toolTip;
    int widthTwips;
};

constexpr PanelDesign panelDesigns[3] = {
    {QT_TRANSLATE_NOOP("PanelStatusBar", "0秒"), QT_TRANSLATE_NOOP("PanelStatusBar", "現在のゲームで何秒かかっているか"), 1000},
    {QT_TRANSLATE_NOOP("PanelStatusBar", "1回目の挑戦"), QT_TRANSLATE_NOOP("PanelStatusBar", "今回で何回目の挑戦か"), 1300},
    {QT_TRANSLATE_NOOP("PanelStatusBar", "達成記録 0秒"), QT_TRANSLATE_NOOP("PanelStatusBar", "過去に成功した最短時間"), 1440},
};

// A panel is as wide as designed, or wider when its text needs more room (a
// longer translation, a long record): the text is never cut.
void FitPanel(QLabel& panel)
{
    if (panel.sizeHint().width() > panel.width())
        panel.setFixedWidth(panel.sizeHint().width());
}

// The document of the interface's language beside the Japanese one
// ("Help_en.htm" beside "Help.htm"), else the Japanese one.
QString DocumentName(const QDir& folder, const QString& japanese)
{
    const QString language = InterfaceLanguage::Current();
    if (language == InterfaceLanguage::Japanese)
        return japanese;
    const QFileInfo name(japanese);
    const QString translated = name.completeBaseName() + u'_' + language + u'.' + name.suffix();
    return folder.entryList(QDir::Files).contains(translated) ? translated : japanese;
}

} // namespace

PanelStatusBar::PanelStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(tr(panelDesigns[i].text), this);
        panel->setToolTip(tr(panelDesigns[i].toolTip));
        panel->setFixedWidth(Twips::ToPixels(panelDesigns[i].widthTwips));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(2);
        FitPanel(*panel);
        addWidget(panel);
        panels_[i] = panel;
    }
}

void PanelStatusBar::SetPanelText(int panel, const QString& text)
{
    Panels(panel)->setText(text);
    FitPanel(*Panels(panel));
}

void PanelStatusBar::ResetPanelTexts()
{
    for (int i = 0; i < 3; ++i)
        panels_[i]->setText(tr(panelDesigns[i].text));
}

QLabel* PanelStatusBar::Panels(int index) const
{
    Q_ASSERT(index >= 1 && index <= 3);
    return panels_[index - 1];
}

MainForm::MainForm()
{
    theMainForm = this;
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("ズミラク"));
    setWindowIcon(ProgramIcon());

    workspace_ = new QMdiArea(this);
    workspace_->setBackground(palette().brush(QPalette::Dark));
    // The tallest and widest figures reach past the workspace's first size:
    // scroll bars then let the player reach every ball.
    workspace_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    workspace_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(workspace_);

    StatusBar1 = new PanelStatusBar(this);
    setStatusBar(StatusBar1);

    CommonDialog1.Filter = tr("Wavファイル (*.wav)|*.wav");

    ExposeMenuItems();
    BuildMenus();
    AddKeyboardCommands();

    // Client area 9720 x 6900 twips below the menu bar, centred on the screen.
    resize(Twips::Size(9720, 6900) + QSize(0, menuBar()->sizeHint().height()));
    CentreOnScreen(*this);

    MDIForm_Load();

    // Logging out asks, as closing does, whether to keep an unsaved drawing.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& session) {
        if (!EndSessionAllowed(session.allowsInteraction()))
            session.cancel();
    });
}

bool MainForm::EndSessionAllowed(bool mayAsk)
{
    StageWorkshop* workshop = StageWorkshop::Instance();
    if (!workshop || !workshop->HasUnsavedChanges())
        return true;
    if (mayAsk)
        return workshop->MayClose();
    // Without leave to ask, the drawing waits as the draft for the next workshop.
    workshop->AgreeToCloseKeepingDraft();
    return true;
}

MainForm::~MainForm()
{
    if (theMainForm == this)
        theMainForm = nullptr;
}

MainForm* MainForm::Instance() { return theMainForm; }

bool MainForm::SoundOn() const { return mnu_Sound->isChecked(); }

void MainForm::BuildMenus()
{
    QMenuBar* bar = menuBar();

    mnu_Start = bar->addAction(tr("ｽﾀｰﾄ"));
    connect(mnu_Start, &QAction::triggered, this, &MainForm::mnu_Start_Click);
    BuildDailyMenu();

    QMenu* options = bar->addMenu(tr("ｵﾌﾟｼｮﾝ"));
    mnu_Option = options->menuAction();
    mnu_BackColar = options->addAction(tr("壁紙の設定"));
    mnu_BackColar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(mnu_BackColar, &QAction::triggered, this, &MainForm::mnu_BackColar_Click);
    options->addSeparator();  // mnu_Line1

    mnu_Sound = options->addAction(tr("ｻｳﾝﾄﾞの有無"));
    mnu_Sound->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnu_Sound->setCheckable(true);
    mnu_Sound->setChecked(true);
    connect(mnu_Sound, &QAction::triggered, this, &MainForm::mnu_Sound_Click);

    QMenu* soundSet = options->addMenu(tr("ｻｳﾝﾄﾞの設定"));
    mnu_SoundSet = soundSet->menuAction();
    mnu_SoundHitBall = soundSet->addAction(tr("ボール選択音"));
    connect(mnu_SoundHitBall, &QAction::triggered, this, &MainForm::mnu_SoundHitBall_Click);
    mnu_SoundNoBall = soundSet->addAction(tr("選択できない時の音"));
    connect(mnu_SoundNoBall, &QAction::triggered, this, &MainForm::mnu_SoundNoBall_Click);
    mnu_SoundClear = soundSet->addAction(tr("面ｸﾘｱ時の音"));
    connect(mnu_SoundClear, &QAction::triggered, this, &MainForm::mnu_SoundClear_Click);
    mnu_SoundBack = soundSet->addAction(tr("ﾊﾞｯｸﾐｭｰｼﾞｯｸ"));
    connect(mnu_SoundBack, &QAction::triggered, this, &MainForm::mnu_SoundBack_Click);
    options->addSeparator();  // mnu_Line3

    QMenu* ball = options->addMenu(tr("ボールの形設定"));
    mnu_Ball = ball->menuAction();
    // One of the four is always checked: an exclusive group keeps a click on
    // the checked item from clearing its mark.
    auto* shapes = new QActionGroup(this);
    shapes->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    auto addShape = [&](const QString& caption, void (MainForm::*handler)()) {
        QAction* item = ball->addAction(caption);
        item->setCheckable(true);
        shapes->addAction(item);
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    mnu_Maru = addShape(tr("まる"), &MainForm::mnu_Maru_Click);
    mnu_Daia = addShape(tr("ダイヤ"), &MainForm::mnu_Daia_Click);
    mnu_Sankaku = addShape(tr("三角"), &MainForm::mnu_Sankaku_Click);
    mnu_Ame = addShape(tr("アメフト"), &MainForm::mnu_Ame_Click);
    mnu_Maru->setChecked(true);
    checkedBallShape_ = mnu_Maru;
    options->addSeparator();  // mnu_Line4

    mnu_Del = options->addAction(tr("記録の削除"));
    connect(mnu_Del, &QAction::triggered, this, &MainForm::mnu_Del_Click);
    mnu_RecordList = options->addAction(tr("記録一覧"));
    connect(mnu_RecordList, &QAction::triggered, this, &MainForm::mnu_RecordList_Click);
    mnu_StageMake = options->addAction(tr("ステージ作成"));
    connect(mnu_StageMake, &QAction::triggered, this, &MainForm::mnu_StageMake_Click);
    BuildLanguageMenu(*options);

    QMenu* help = bar->addMenu(tr("ﾍﾙﾌﾟ"));
    mnu_Help = help->menuAction();
    mnu_MainHelp = help->addAction(tr("ズミラク ﾍﾙﾌﾟ"));
    mnu_MainHelp->setShortcut(QKeySequence(Qt::Key_F1));
    connect(mnu_MainHelp, &QAction::triggered, this, &MainForm::mnu_MainHelp_Click);
    help->addSeparator();  // mnu_Line2
    mnu_About = help->addAction(tr("ズミラク About"));
    mnu_About->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(mnu_About, &QAction::triggered, this, &MainForm::mnu_About_Click);
}

void MainForm::MDIForm_Load()
{
    // 1. The selection window, at the top-left corner of the client area.
    gameSelect_ = new GameSelect;
    connect(gameSelect_, &GameSelect::StartRequested, this, &MainForm::mnu_Start_Click);
    // After the menu has closed, so the play window opens with the keys.
    connect(gameSelect_, &GameSelect::DailyRequested, this, &MainForm::mnu_DailyToday_Click, Qt::QueuedConnection);
    auto* sub = new FixedSubWindow(nullptr, Qt::FramelessWindowHint);
    sub->setWidget(gameSelect_);
    sub->setOption(QMdiSubWindow::RubberBandMove, false);
    ExposeRole(*sub, QAccessible::Window);
    sub->setAccessibleName(gameSelect_->accessibleName());
    // The bar is the window's one stop: Tab does not stop on the frame around
    // it, where the keys would still leaf with nothing said.
    sub->setFocusPolicy(Qt::NoFocus);
    workspace_->addSubWindow(sub);
    sub->setFixedSize(gameSelect_->size());
    sub->move(0, 0);
    sub->show();
    gameSelectWindow_ = sub;

    // 2., 3. The default paths, beside the program.
    const QString folder = AppPath();
    DefModule::BackSoundPath = folder + QStringLiteral("/Back1.wav");
    DefModule::HitSoundPath = folder + QStringLiteral("/Hit1.wav");
    DefModule::NoSoundPath = folder + QStringLiteral("/No1.wav");
    DefModule::WinSoundPath = folder + QStringLiteral("/Win1.wav");
    DefModule::WallpaperPath = folder + QStringLiteral("/Back5.gif");
}

void MainForm::MakeRoomFor(const QWidget& subWindow, bool givenBack)
{
    const QRect needed = subWindow.geometry();
    // Scroll bars shown now go once the sub-window fits.
    const QSize shown = ScreenRoom::ShownWithoutScrollBars(*workspace_);
    const QSize missing(std::max(0, needed.right() + 1 - shown.width()),
                        std::max(0, needed.bottom() + 1 - shown.height()));
    if (missing.width() == 0 && missing.height() == 0)
        return;
    if (!ScreenRoom::WindowsPlaceThemselves()) {
        GrowByMaximizing(subWindow, givenBack);
        return;
    }
    QSize wanted = size() + missing;
    QPoint topLeft = pos();
    if (const QScreen* screen = this->screen()) {
        const QRect available = ScreenRoom::Free(*screen);
        const QSize decoration = ScreenRoom::Decoration(*this);
        wanted = wanted.boundedTo(available.size() - decoration);
        // Keep the grown window on the screen.
        topLeft.setX(std::clamp(topLeft.x(), available.left(), available.right() + 1 - wanted.width() - decoration.width()));
        topLeft.setY(std::clamp(topLeft.y(), available.top(), available.bottom() + 1 - wanted.height() - decoration.height()));
    }
    const QSize sizeBefore = size();
    const QPoint placeBefore = pos();  // of the frame, as move() takes it
    resize(wanted);
    move(topLeft);
    if (!givenBack)
        return;
    // Back to its size and place when the window goes, unless the player
    // has sized it since.
    connect(&subWindow, &QObject::destroyed, this, [this, sizeBefore, placeBefore, grown = size()] {
        if (size() != grown)
            return;
        resize(sizeBefore);
        move(placeBefore);
    });
}

void MainForm::GrowByMaximizing(const QWidget& subWindow, bool givenBack)
{
    // The compositor alone knows where the window is: grown in place, it
    // would reach past the screen's edge wherever the compositor put it (the
    // workshop's lower rows and the status bar cut off). Maximized, the
    // compositor fits it to the room its panels leave.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    showMaximized();
    if (!givenBack)
        return;
    // Back to its size when the window goes, unless the player has restored
    // it since. The compositor gives the size back: a client that resizes
    // before the compositor has answered is cut off for breaking protocol.
    connect(&subWindow, &QObject::destroyed, this, [this] {
        if (isMaximized())
            showNormal();
    });
}

void MainForm::mnu_Start_Click()
{
    if (!gameSelect_->StageReady())
        return;  // its caption says that its proof is under way
    const bool opening = !GameTable::Instance();
    PlaySurroundings surroundings;
    surroundings.workspace = workspace_;
    // Beside the selection window, never over it.
    surroundings.place = QPoint(gameSelectWindow_->geometry().right() + 1, 0);
    surroundings.panels = StatusBar1;
    surroundings.sound = this;
    surroundings.stage = gameSelect_;
    surroundings.keyboardOpened = inputWatch_.keyboardLast;
    GameTable* table = GameTable::LoadAndShow(surroundings);
    if (opening)
        MakeRoomFor(*table->SubWindow());
}

void MainForm::closeEvent(QCloseEvent* event)
{
    // A drawing not saved is kept unless the player says otherwise: asked
    // before anything closes, so a cancel leaves every window as it was.
    if (StageWorkshop* workshop = StageWorkshop::Instance(); workshop && !workshop->MayClose()) {
        event->ignore();
        return;
    }
    // The play window closes first and runs its own closing (the attempt is
    // counted, the sound closed); then the program ends.
    if (GameTable* table = GameTable::Instance())
        table->close();
    if (auto* fixed = static_cast<FixedSubWindow*>(gameSelectWindow_))
        fixed->closingAllowed = true;
    workspace_->closeAllSubWindows();
    // The about window and the records overview close with it (as its
    // children they would only be deleted, without their own closing).
    if (About* about = About::Instance())
        about->close();
    if (RecordsOverview* overview = RecordsOverview::Instance())
        overview->close();
    event->accept();
}

void MainForm::mnu_About_Click()
{
    About::LoadAndShow(this);
}

void MainForm::mnu_MainHelp_Click()
{
    // The help page when "Help/Help.htm" exists with exactly that case, else
    // the read-me beside the program; each in the interface's language where
    // there is one ("Help_en.htm", "Readme_en.txt").
    const QString folder = AppPath();
    QString file = folder + u'/' + DocumentName(QDir(folder), QStringLiteral("Readme.txt"));
    const QDir helpDir(folder + QStringLiteral("/Help"));
    const QString helpPage = DocumentName(helpDir, QStringLiteral("Help.htm"));
    if (helpDir.exists() && helpDir.entryList(QDir::Files).contains(helpPage))
        file = helpDir.filePath(helpPage);
    // Without a program to open pages (xdg-open), the player learns where to look.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file)))
        MsgBox(this, tr("ヘルプを開くプログラムが見つかりません。\r\nヘルプは次のファイルにあります。\r\n%1")
                         .arg(QDir::toNativeSeparators(file)),
               tr("ズミラク"), QMessageBox::Ok);
}
