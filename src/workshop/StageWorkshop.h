// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "play/StageOnDisplay.h"
#include "rules/Solver.h"
#include "stages/PlayerStages.h"
#include "workshop/FigureHistory.h"

#include <QPoint>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class CommonDialog;
class ControlsPanel;
class QComboBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QSpinBox;
class QTimer;
class SoundSwitch;
class StatusPanels;
class WorkshopBoard;

// What the workshop needs from the windows around it; the main window
// provides them. All must outlive the workshop.
struct WorkshopSurroundings {
    QMdiArea* workspace = nullptr;       // the workshop (and a stage tried out) opens in it
    QPoint place;                        // at this top-left corner
    StatusPanels* panels = nullptr;      // for the play window of a stage tried out
    const SoundSwitch* sound = nullptr;  // likewise
    CommonDialog* fileDialog = nullptr;  // the shared file dialog, for stage files
    std::function<void(const QWidget&)> makeRoomFor;  // grows the main window to show a sub-window
};

// The stage workshop: the player draws a figure on the board and sees at
// once whether it can be cleared; tries it in the play window, keeps it as a
// stage of their own, or shares it as a stage code or a stage file. One
// exists at most, in a sub-window of the main window's workspace.
class StageWorkshop : public QWidget, public StageOnDisplay {
    Q_OBJECT
public:
    // Opens the workshop, or brings the open one to the front.
    static StageWorkshop* LoadAndShow(const WorkshopSurroundings& surroundings);
    static StageWorkshop* Instance();
    ~StageWorkshop() override;

    QMdiSubWindow* SubWindow() const { return subWindow_; }

    // The figure on the board as a stage to try: no record is read or written.
    DisplayedStage StageShown() const override;

    const Rules::Figure& Figure() const { return history_.Current(); }
    // The title typed, or when none is, the one the field shows it will be.
    QString Title() const;

    // The window's parts, named for the tests.
    WorkshopBoard* Board = nullptr;
    ControlsPanel* Controls = nullptr;  // the column beside the board, scrolling on a low screen
    QLineEdit* TitleBox = nullptr;
    QLabel* BallCount = nullptr;
    QLabel* Stars = nullptr;
    QLabel* VerdictLine = nullptr;
    QLabel* ResultLine = nullptr;  // what the last button did (保存, コピー, 書き出し, 読み込み)
    QSpinBox* GenerateBalls = nullptr;
    QComboBox* GenerateDifficulty = nullptr;
    QLineEdit* SeedBox = nullptr;    // only what the player typed
    QLabel* SeedUsed = nullptr;      // the seed of the last figure made by おまかせ
    QComboBox* StageChoice = nullptr;  // the thirty, then the player's own
    QPushButton* NewButton = nullptr;
    QPushButton* UndoButton = nullptr;
    QPushButton* RedoButton = nullptr;
    QPushButton* GenerateButton = nullptr;
    QPushButton* TryButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* OpenButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* CopyButton = nullptr;
    QPushButton* PasteButton = nullptr;
    QPushButton* ExportButton = nullptr;
    QPushButton* ImportButton = nullptr;

    // Every change of the figure, undoable; `continuesLast` folds a drag into one step.
    void ChangeFigure(const Rules::Figure& figure, bool continuesLast = false);
    void Undo();
    void Redo();

    // True when the figure or its title changed since it was last saved,
    // written to a file or opened.
    bool HasUnsavedChanges() const;
    // Asks, when there are unsaved changes, whether to save them first
    // (保存 / 保存しない / キャンセル, キャンセル the default). True when the
    // workshop may close: saved, not wanted, or nothing to lose. Once agreed,
    // a later close of the same workshop does not ask again.
    bool MayClose();
    // Whether the figure drawn may give way to another: asks as MayClose does.
    bool MayReplaceFigure();
    // Lets the workshop close without a question, the drawing kept as the
    // draft that the next workshop opens on (WorkshopDraft): for an end
    // that nobody may be there to answer, as a signal's or the session's.
    void AgreeToCloseKeepingDraft();

    // The buttons (StageWorkshopActions.cpp).
    void NewFigure();
    void GenerateFigure();
    void TryOut();
    void Save();
    void OpenChosenStage();
    void DeleteChosenStage();
    void CopyCode();
    void PasteCode();
    void ExportFile();
    void ImportFile();

    // What the verdict line can say of a figure.
    enum class VerdictKind { NoBall, CutOff, Searching, Clearable, DeadEnds, NoWayThrough, Unknown };
    static QString VerdictText(VerdictKind kind, int deadEnds = 0);
    // Every one of them, the longest count of dead ends put in: the line is
    // as tall as the longest needs, so the buttons below never move.
    static QStringList EveryVerdictText();

    // True while the verdict of the figure drawn is awaited from the prover.
    bool AwaitingVerdict() const { return awaitingVerdict_; }

signals:
    // The verdict of the figure drawn, and its difficulty stars (0 unless clearable).
    void VerdictFound(Rules::Verdict verdict, int stars);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    explicit StageWorkshop(const WorkshopSurroundings& surroundings);

    QWidget* BuildControls();
    // Fits the controls to the screen's height and returns the place the
    // workshop shows whole at, as near the one asked for as it can.
    QPoint FitToRoom();
    void ShowFigure();
    void ShowVerdict(Rules::Verdict verdict, int stars);
    void FollowProof(const Rules::Figure& figure);
    void AskVerdict(const Rules::Figure& figure);  // an empty figure: none
    void SayVerdict();
    void SayStep(const QString& step, const Rules::Figure& before);
    void FillStageChoice();
    void LoadStage(const QString& title, const Rules::Figure& figure);
    void ShowAdded(const PlayerStages::Added& added, const QString& fileName);
    void AddImported();
    void MarkSaved();
    // The draft follows the drawing: written a moment after a change while
    // something is not saved, removed once nothing is.
    void FollowDraft();
    void WriteDraft();
    void TakeBackDraft();
    // Says on the result line what a button did: each line of `text`
    // shortened with "…" to fit, whole in the tooltip.
    void ShowResult(const QString& text, const QString& toolTip = {});

    WorkshopSurroundings surroundings_;
    QMdiSubWindow* subWindow_ = nullptr;
    FigureHistory history_;
    bool awaitingVerdict_ = false;
    // A stage read from a file, waiting for the board's proof to join the player's stages.
    struct Importing {
        QString title;
        Rules::Figure figure;
        QString fileName;
    };
    std::optional<Importing> importing_;
    // The figure and title as last saved or opened.
    Rules::Figure savedFigure_;
    QString savedTitle_;
    bool closeAgreed_ = false;
    QTimer* draftDelay_ = nullptr;
    bool keepDraft_ = false;  // closing keeps the draft instead of removing it
    bool draftLossTold_ = false;  // the player heard that the draft cannot be kept
    QString saidVerdict_;     // the verdict a screen reader last said
};
