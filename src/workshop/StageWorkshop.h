// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "play/StageOnDisplay.h"
#include "rules/Solver.h"
#include "workshop/FigureHistory.h"

#include <QPoint>
#include <QWidget>

#include <functional>

class CommonDialog;
class QComboBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QSpinBox;
class SoundSwitch;
class StatusPanels;
class VerdictSearch;
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
    QString Title() const;

    // The window's parts, named for the tests.
    WorkshopBoard* Board = nullptr;
    QLineEdit* TitleBox = nullptr;
    QLabel* BallCount = nullptr;
    QLabel* Stars = nullptr;
    QLabel* VerdictLine = nullptr;
    QSpinBox* GenerateBalls = nullptr;
    QComboBox* GenerateDifficulty = nullptr;
    QLineEdit* SeedBox = nullptr;
    QComboBox* StageChoice = nullptr;  // the thirty, then the player's own
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

    // The buttons (StageWorkshopActions.cpp).
    void GenerateFigure();
    void TryOut();
    void Save();
    void OpenChosenStage();
    void DeleteChosenStage();
    void CopyCode();
    void PasteCode();
    void ExportFile();
    void ImportFile();

    // The search for the verdict, for the tests.
    VerdictSearch* Search() const { return search_; }

private:
    explicit StageWorkshop(const WorkshopSurroundings& surroundings);

    QWidget* BuildControls();
    void ShowFigure();
    void ShowVerdict(Rules::Verdict verdict, int stars);
    void SayVerdict();
    void FillStageChoice();
    void LoadStage(const QString& title, const Rules::Figure& figure);

    WorkshopSurroundings surroundings_;
    QMdiSubWindow* subWindow_ = nullptr;
    FigureHistory history_;
    VerdictSearch* search_ = nullptr;
    bool seedTyped_ = false;  // the player typed a seed: the next generation uses it
    QString saidVerdict_;     // the verdict a screen reader last said
};
