// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/StageWorkshop.h"

#include "play/StageTable.h"
#include "rules/Generator.h"
#include "shared/Announce.h"
#include "shared/FixedSubWindow.h"
#include "shared/ScreenRoom.h"
#include "stages/FigureProver.h"
#include "workshop/ControlsPanel.h"
#include "stages/PlayerStages.h"
#include "stages/StageCode.h"
#include "stages/LayoutString.h"
#include "stages/StageFile.h"
#include "stages/StageStars.h"
#include "workshop/WorkshopBoard.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSpinBox>
#include <QStylePainter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The title field takes what a stage file and a code can carry, counted in
// characters: an emoji is one of the 32, not two as the field would count.
class TitleValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return CheckTitle(input) == TitleFault::None ? Acceptable : Invalid;
    }
};

StageWorkshop* theWorkshop = nullptr;

constexpr int FirstGeneratedBalls = 30;

// Return and Enter press the focused button, as Space does (outside a
// dialog a button takes Space only).
class ReturnPresses : public QObject {
public:
    explicit ReturnPresses(QPushButton* button) : QObject(button) { button->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (!key->isAutoRepeat())
            static_cast<QPushButton*>(watched)->animateClick();
        return true;
    }
};

QPushButton* Button(const QString& text, QWidget* parent, StageWorkshop* workshop, void (StageWorkshop::*action)())
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    new ReturnPresses(button);
    QObject::connect(button, &QPushButton::clicked, workshop, action);
    return button;
}

// Buttons side by side, of equal width.
void AddButtonRow(QVBoxLayout& column, std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    for (QPushButton* button : buttons)
        row->addWidget(button);
    column.addLayout(row);
}

// A label as tall as `lines` lines of its font, whatever it holds: what
// changes in it never moves the controls below.
void FixLines(QLabel& label, int lines)
{
    const QMargins margins = label.contentsMargins();
    label.setFixedHeight(lines * label.fontMetrics().lineSpacing() + margins.top() + margins.bottom());
}

// A wrapping label as tall as the tallest of `texts` needs at its narrowest.
void FixHeightForTexts(QLabel& label, const QStringList& texts)
{
    const QString shown = label.text();
    int height = 0;
    for (const QString& text : texts) {
        label.setText(text);
        height = std::max(height, label.heightForWidth(label.minimumWidth()));
    }
    label.setText(shown);
    label.setFixedHeight(height);
}

// A choice of stages whose box shortens a long title with "…" (the list's
// entries are shortened by their view, and whole in their tooltips).
class TitleChoice : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
        option.currentText = fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width() - 2);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

} // namespace

StageWorkshop::StageWorkshop(const WorkshopSurroundings& surroundings) : surroundings_(surroundings)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("ステージ作成"));
    // The board's figure goes to the prover before any other.
    connect(&FigureProver::Instance(), &FigureProver::Proven, this, &StageWorkshop::FollowProof);

    Board = new WorkshopBoard(this);
    connect(Board, &WorkshopBoard::FigureEdited, this, &StageWorkshop::ChangeFigure);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Board, 0, Qt::AlignTop);
    Controls = new ControlsPanel(BuildControls(), this);
    layout->addWidget(Controls, 0, Qt::AlignTop);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* undo = new QShortcut(QKeySequence::Undo, this, this, &StageWorkshop::Undo);
    undo->setContext(Qt::WidgetWithChildrenShortcut);
    auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), this, this, &StageWorkshop::Redo);
    redo->setContext(Qt::WidgetWithChildrenShortcut);

    connect(&PlayerStagesNotice::Instance(), &PlayerStagesNotice::StagesChanged, this,
            &StageWorkshop::FillStageChoice);
    // A crash loses no more than the last moment's drawing; the disk is not
    // written at every cell of a drag.
    draftDelay_ = new QTimer(this);
    draftDelay_->setSingleShot(true);
    draftDelay_->setInterval(300);
    connect(draftDelay_, &QTimer::timeout, this, &StageWorkshop::WriteDraft);
    connect(TitleBox, &QLineEdit::textChanged, this, &StageWorkshop::FollowDraft);
    // The toolkit tells a screen reader of a list box's new choice in a way
    // it does not speak: the choice the keys move to is said here.
    for (QComboBox* choice : {StageChoice, GenerateDifficulty}) {
        connect(choice, &QComboBox::currentIndexChanged, this, [choice] {
            if (choice->hasFocus())
                Announce(*choice, choice->currentText());
        });
    }
    FillStageChoice();
    ShowFigure();
}

QWidget* StageWorkshop::BuildControls()
{
    auto* controls = new QWidget(this);
    auto* column = new QVBoxLayout(controls);
    column->setContentsMargins(0, 0, 0, 0);

    auto* titleLabel = new QLabel(tr("題名"), controls);
    TitleBox = new QLineEdit(controls);
    TitleBox->setValidator(new TitleValidator(TitleBox));
    titleLabel->setBuddy(TitleBox);
    BallCount = new QLabel(controls);
    Stars = new QLabel(controls);
    VerdictLine = new QLabel(controls);
    VerdictLine->setWordWrap(true);
    VerdictLine->setMinimumWidth(260);
    QFont bold = VerdictLine->font();
    bold.setBold(true);
    VerdictLine->setFont(bold);
    VerdictLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FixHeightForTexts(*VerdictLine, EveryVerdictText());
    // Apart from the verdict, which a proof still under way may change later.
    ResultLine = new QLabel(controls);
    ResultLine->setWordWrap(true);
    ResultLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ResultLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FixLines(*ResultLine, 2);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(titleLabel);
    titleRow->addWidget(TitleBox, 1);
    column->addLayout(titleRow);
    column->addWidget(BallCount);
    column->addWidget(Stars);
    column->addWidget(VerdictLine);
    column->addWidget(ResultLine);

    NewButton = Button(tr("新規"), controls, this, &StageWorkshop::NewFigure);
    UndoButton = Button(tr("元に戻す"), controls, this, &StageWorkshop::Undo);
    RedoButton = Button(tr("やり直す"), controls, this, &StageWorkshop::Redo);
    AddButtonRow(*column, {NewButton, UndoButton, RedoButton});

    auto* generate = new QGroupBox(tr("自動で作る"), controls);
    auto* generateGrid = new QGridLayout(generate);
    GenerateBalls = new QSpinBox(generate);
    GenerateBalls->setRange(2, Rules::BoardSize * Rules::BoardSize);
    GenerateBalls->setValue(FirstGeneratedBalls);
    GenerateDifficulty = new QComboBox(generate);
    for (const Rules::Difficulty difficulty : {Rules::Difficulty::Easy, Rules::Difficulty::Normal, Rules::Difficulty::Hard})
        GenerateDifficulty->addItem(Rules::DifficultyName(difficulty), int(difficulty));
    GenerateDifficulty->setCurrentIndex(1);
    SeedBox = new QLineEdit(generate);
    SeedBox->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,19}")), SeedBox));
    SeedBox->setPlaceholderText(tr("空なら毎回ちがう形"));
    GenerateButton = Button(tr("おまかせ"), generate, this, &StageWorkshop::GenerateFigure);
    const std::pair<QString, QWidget*> generateRows[] = {
        {tr("ボールの数"), GenerateBalls}, {tr("難しさ"), GenerateDifficulty}, {tr("種"), SeedBox}};
    int row = 0;
    for (const auto& [text, field] : generateRows) {
        auto* label = new QLabel(text, generate);
        // A screen reader names a list box by its choice, and with a label
        // beside it, by the label alone: the label becomes its description.
        if (qobject_cast<QComboBox*>(field))
            field->setAccessibleDescription(text);
        else
            label->setBuddy(field);
        generateGrid->addWidget(label, row, 0);
        generateGrid->addWidget(field, row++, 1);
    }
    generateGrid->addWidget(GenerateButton, row++, 1);
    // The seed a figure was made from, apart from the box the player types in.
    SeedUsed = new QLabel(generate);
    SeedUsed->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FixLines(*SeedUsed, 1);
    generateGrid->addWidget(SeedUsed, row, 0, 1, 2);
    column->addWidget(generate);

    TryButton = Button(tr("試す"), controls, this, &StageWorkshop::TryOut);
    SaveButton = Button(tr("保存"), controls, this, &StageWorkshop::Save);
    AddButtonRow(*column, {TryButton, SaveButton});

    auto* stages = new QGroupBox(tr("ステージを開く"), controls);
    auto* stagesGrid = new QGridLayout(stages);
    StageChoice = new TitleChoice(stages);
    StageChoice->setAccessibleName(tr("開くステージ"));
    // As wide as the other controls whatever the titles: a long one is
    // shortened with "…" and shown whole in its tooltip.
    StageChoice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    StageChoice->setMinimumContentsLength(12);
    StageChoice->view()->setTextElideMode(Qt::ElideRight);
    OpenButton = Button(tr("開く"), stages, this, &StageWorkshop::OpenChosenStage);
    DeleteButton = Button(tr("削除"), stages, this, &StageWorkshop::DeleteChosenStage);
    connect(StageChoice, &QComboBox::currentIndexChanged, this, [this] {
        DeleteButton->setEnabled(StageChoice->currentData().toInt() >= StageTable::Count);
    });
    stagesGrid->addWidget(StageChoice, 0, 0, 1, 2);
    stagesGrid->addWidget(OpenButton, 1, 0);
    stagesGrid->addWidget(DeleteButton, 1, 1);
    column->addWidget(stages);

    auto* sharing = new QGroupBox(tr("共有"), controls);
    auto* sharingGrid = new QGridLayout(sharing);
    CopyButton = Button(tr("コピー"), sharing, this, &StageWorkshop::CopyCode);
    PasteButton = Button(tr("貼り付け"), sharing, this, &StageWorkshop::PasteCode);
    ExportButton = Button(tr("書き出し"), sharing, this, &StageWorkshop::ExportFile);
    ImportButton = Button(tr("読み込み"), sharing, this, &StageWorkshop::ImportFile);
    sharingGrid->addWidget(CopyButton, 0, 0);
    sharingGrid->addWidget(PasteButton, 0, 1);
    sharingGrid->addWidget(ExportButton, 1, 0);
    sharingGrid->addWidget(ImportButton, 1, 1);
    column->addWidget(sharing);
    column->addStretch();
    return controls;
}

StageWorkshop::~StageWorkshop()
{
    if (theWorkshop == this)
        theWorkshop = nullptr;
    if (FigureProver* prover = FigureProver::Existing())
        prover->RequestForBoard({});  // nobody awaits the board's proof any more
}

StageWorkshop* StageWorkshop::Instance() { return theWorkshop; }

StageWorkshop* StageWorkshop::LoadAndShow(const WorkshopSurroundings& surroundings)
{
    QMdiArea* workspace = surroundings.workspace;
    if (theWorkshop) {
        workspace->setActiveSubWindow(theWorkshop->subWindow_);
        return theWorkshop;
    }
    auto* workshop = new StageWorkshop(surroundings);
    QMdiSubWindow* frame = AddFixedSubWindow(*workspace, workshop);
    workshop->subWindow_ = frame;
    theWorkshop = workshop;

    frame->move(workshop->FitToRoom());
    frame->show();
    workspace->setActiveSubWindow(frame);
    if (surroundings.makeRoomFor)
        surroundings.makeRoomFor(*frame);
    workshop->Board->setFocus();
    workshop->TakeBackDraft();
    return workshop;
}

QPoint StageWorkshop::FitToRoom()
{
    QPoint place = surroundings_.place;
    if (!surroundings_.workspace || !subWindow_)
        return place;
    const QSize room = ScreenRoom::SubWindowRoom(*surroundings_.workspace, QPoint(0, place.y()));
    if (!room.isValid())
        return place;
    // The frame and the margins around the board and the controls.
    subWindow_->ensurePolished();
    const QMargins frame = subWindow_->contentsMargins();
    const QMargins margins = layout()->contentsMargins();
    Controls->FitHeight(room.height() - frame.top() - frame.bottom() - margins.top() - margins.bottom());
    layout()->activate();
    subWindow_->adjustSize();
    // Too wide beside the selection window: moved left, over its edge, as
    // far as it must to show whole.
    const int width = subWindow_->sizeHint().width();
    if (place.x() + width > room.width())
        place.setX(std::max(0, room.width() - width));
    return place;
}

QString StageWorkshop::Title() const
{
    return TitleBox->text().isEmpty() ? TitleBox->placeholderText() : TitleBox->text();
}

DisplayedStage StageWorkshop::StageShown() const
{
    DisplayedStage stage;
    stage.index = -1;  // none of the listed stages
    stage.layout = LayoutOf(Figure());
    stage.title = Title();
    return stage;  // an empty record key: nothing is read or written
}

void StageWorkshop::ChangeFigure(const Rules::Figure& figure, bool continuesLast)
{
    if (history_.Change(figure, continuesLast))
        ShowFigure();
}

void StageWorkshop::Undo()
{
    const Rules::Figure before = Figure();
    if (history_.Undo()) {
        ShowFigure();
        SayStep(tr("元に戻しました"), before);
    }
}

void StageWorkshop::Redo()
{
    const Rules::Figure before = Figure();
    if (history_.Redo()) {
        ShowFigure();
        SayStep(tr("やり直しました"), before);
    }
}

// The board does not move with an undo or a redo, so it says nothing: the
// cell that changed and what it holds now is said, or for a bigger step
// (a new figure, a paste) the number of balls.
void StageWorkshop::SayStep(const QString& step, const Rules::Figure& before)
{
    const Rules::Figure& now = Figure();
    std::vector<Rules::Cell> changed;
    for (const Rules::Cell cell : before.Cells())
        if (!now.Has(cell))
            changed.push_back(cell);
    for (const Rules::Cell cell : now.Cells())
        if (!before.Has(cell))
            changed.push_back(cell);
    QString what = tr("ボールの数：%1").arg(now.Count());
    if (changed.size() == 1) {
        const Rules::Cell cell = changed.front();
        what = tr("%1行 %2列 %3").arg(cell.row + 1).arg(cell.column + 1).arg(now.Has(cell) ? tr("ボールあり") : tr("空き"));
    }
    Announce(*this, tr("%1：%2", "an undo or redo, and what it changed").arg(step, what));
}

void StageWorkshop::LoadStage(const QString& title, const Rules::Figure& figure)
{
    TitleBox->setText(title);
    ChangeFigure(figure);
}

void StageWorkshop::ShowFigure()
{
    const Rules::Figure& figure = Figure();
    FollowDraft();
    if (importing_ && importing_->figure != figure)
        AddImported();  // the board no longer proves it: it is proven on its own
    // Saved with an empty title, a stage gets this one; the field says so.
    TitleBox->setPlaceholderText(PlayerStages::TitleLeftEmpty(figure));
    const std::vector<Rules::Cell> cutOff = Rules::CutOffBalls(figure);
    Board->ShowFigure(figure, cutOff);
    BallCount->setText(tr("ボールの数：%1").arg(figure.Count()));
    UndoButton->setEnabled(history_.CanUndo());
    RedoButton->setEnabled(history_.CanRedo());
    const bool hasBalls = figure.Count() > 0;
    TryButton->setEnabled(hasBalls);
    CopyButton->setEnabled(hasBalls);
    ExportButton->setEnabled(hasBalls);
    SaveButton->setEnabled(false);
    Stars->setText(tr("難しさ："));
    ResultLine->clear();
    ResultLine->setToolTip(QString());

    if (!hasBalls) {
        AskVerdict({});
        VerdictLine->setText(VerdictText(VerdictKind::NoBall));
        SayVerdict();
        return;
    }
    if (!cutOff.empty()) {
        // No take ever crosses from one group to another: no search needed.
        AskVerdict({});
        VerdictLine->setText(VerdictText(VerdictKind::CutOff));
        SayVerdict();
        return;
    }

    VerdictLine->setText(VerdictText(VerdictKind::Searching));
    AskVerdict(figure);
}

void StageWorkshop::AskVerdict(const Rules::Figure& figure)
{
    awaitingVerdict_ = figure.Count() > 0;
    FigureProver::Instance().RequestForBoard(figure);
}

void StageWorkshop::FollowProof(const Rules::Figure& figure)
{
    if (!awaitingVerdict_ || figure != Figure())
        return;
    const std::optional<FigureProof> proof = FigureProver::Instance().Known(figure);
    if (!proof)
        return;  // proven under other limits than those now set
    awaitingVerdict_ = false;
    ShowVerdict(proof->verdict, proof->stars);
    emit VerdictFound(proof->verdict, proof->stars);
}

void StageWorkshop::ShowVerdict(Rules::Verdict verdict, int stars)
{
    if (Figure().Count() == 0 || !Rules::CutOffBalls(Figure()).empty())
        return;
    switch (verdict) {
    case Rules::Verdict::Clearable: VerdictLine->setText(VerdictText(VerdictKind::Clearable)); break;
    case Rules::Verdict::NotClearable:
        // In words: why, when it shows in the figure itself.
        if (const std::size_t deadEnds = Rules::DeadEndBalls(Figure()).size(); deadEnds > 2)
            VerdictLine->setText(VerdictText(VerdictKind::DeadEnds, int(deadEnds)));
        else
            VerdictLine->setText(VerdictText(VerdictKind::NoWayThrough));
        break;
    case Rules::Verdict::Unknown:
        VerdictLine->setText(VerdictText(VerdictKind::Unknown));
        break;
    }
    Stars->setText(tr("難しさ：") + StarsText(stars));
    SaveButton->setEnabled(verdict == Rules::Verdict::Clearable);
    if (importing_ && importing_->figure == Figure())
        AddImported();
    SayVerdict();
}

QString StageWorkshop::VerdictText(VerdictKind kind, int deadEnds)
{
    switch (kind) {
    case VerdictKind::NoBall: return tr("ボールを置いてください");
    case VerdictKind::CutOff: return tr("クリアできません（×のボールは縦にも横にもほかとつながっていません）");
    case VerdictKind::Searching: return tr("クリアできるか調べています…");
    case VerdictKind::Clearable: return tr("クリアできます");
    case VerdictKind::DeadEnds:
        return tr("クリアできません（行き止まりのボールが%1個：取れるのは最初と最後の2個だけ）").arg(deadEnds);
    case VerdictKind::NoWayThrough: return tr("クリアできません（どの順に取っても途中で次のボールがなくなります）");
    case VerdictKind::Unknown: return tr("クリアできるか確かめきれません（保存できません）");
    }
    return QString();
}

QStringList StageWorkshop::EveryVerdictText()
{
    QStringList texts;
    for (const VerdictKind kind : {VerdictKind::NoBall, VerdictKind::CutOff, VerdictKind::Searching, VerdictKind::Clearable,
                                   VerdictKind::DeadEnds, VerdictKind::NoWayThrough, VerdictKind::Unknown})
        texts << VerdictText(kind, Rules::BoardSize * Rules::BoardSize);
    return texts;
}

// A verdict is said when it differs from the last one said: the search
// in between, and the same verdict found again, say nothing. It follows
// what the board says of the cell just changed.
void StageWorkshop::SayVerdict()
{
    if (VerdictLine->text() == saidVerdict_)
        return;
    saidVerdict_ = VerdictLine->text();
    QTimer::singleShot(0, this, [this, verdict = saidVerdict_] {
        // Overtaken before it was said (the empty board's, when a draft
        // comes back at once): the verdict now shown is said when found.
        if (VerdictLine->text() != verdict) {
            if (saidVerdict_ == verdict)
                saidVerdict_.clear();
            return;
        }
        Announce(*this, verdict);
    });
}

// Tab goes round the workshop's own controls. Left to the sub-window, it
// stops on the frame between the last and the first: a screen reader names
// the frame, while the keys stay on the control before.
bool StageWorkshop::focusNextPrevChild(bool next)
{
    QWidget* const from = focusWidget();
    if (!from)
        return QWidget::focusNextPrevChild(next);
    for (QWidget* stop = from;;) {
        stop = next ? stop->nextInFocusChain() : stop->previousInFocusChain();
        if (stop == from)
            return false;
        if (isAncestorOf(stop) && (stop->focusPolicy() & Qt::TabFocus) && !stop->focusProxy() && stop->isEnabled()
            && stop->isVisibleTo(this)) {
            stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

void StageWorkshop::FillStageChoice()
{
    const int chosen = StageChoice->currentData().isValid() ? StageChoice->currentData().toInt() : 0;
    StageChoice->clear();
    for (int index = 0; index < StageTable::Count; ++index)
        StageChoice->addItem(tr("%1：%2").arg(index).arg(StageTable::Title(index)), index);
    // The player's own by the numbers the selection window and the records
    // overview give them.
    const std::vector<PlayerStages::Entry>& own = PlayerStages::All();
    for (std::size_t k = 0; k < own.size(); ++k) {
        const int number = PlayerStages::Number(int(k));
        StageChoice->addItem(tr("%1：%2").arg(number).arg(own[k].title), number);
    }
    for (int item = 0; item < StageChoice->count(); ++item)
        StageChoice->setItemData(item, StageChoice->itemText(item), Qt::ToolTipRole);
    StageChoice->setCurrentIndex(std::max(0, StageChoice->findData(chosen)));
    TitleBox->setPlaceholderText(PlayerStages::TitleLeftEmpty(Figure()));
}
