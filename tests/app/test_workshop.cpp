// SPDX-License-Identifier: GPL-3.0-or-later
// The stage workshop as the player uses it, opened from the real main
// window: drawing by click, drag and keys with undo and redo; the verdict
// line following every change, with cut-off balls marked; "保存" only for a
// proven figure, which then shows in the selection window; "試す" leaving
// the records alone; stage codes through the clipboard; opening a stage,
// stage files out and in, and deleting a stage of the player's own.
#include "app/MainForm.h"
#include "play/test_gametable_kit.h"
#include "records/RecordsNotice.h"
#include "records/RegUpRead.h"
#include "select/GameSelect.h"
#include "select/RecordsOverview.h"
#include "shared/CommonDialog.h"
#include "stages/PlayerStageRecords.h"
#include "stages/FigureProver.h"
#include "stages/PlayerStages.h"
#include "stages/StageCode.h"
#include "stages/LayoutString.h"
#include "stages/StageFile.h"
#include "workshop/StageWorkshop.h"
#include "workshop/WorkshopBoard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSignalSpy>
#include <QTableWidget>

#include <optional>
#include <set>

using Rules::Cell;
using Rules::Figure;

namespace {

QPoint CentreOf(Cell cell)
{
    const int side = StageWorkshop::Instance()->Board->CellPixels();
    return QPoint(cell.column * side + side / 2, cell.row * side + side / 2);
}

// The ball drawn on `cell`, or nullptr when none shows there.
ShapedButton* BallShownOn(WorkshopBoard* board, Cell cell)
{
    const QString name = QStringLiteral("ボール %1行 %2列").arg(cell.row + 1).arg(cell.column + 1);
    for (ShapedButton* ball : board->findChildren<ShapedButton*>()) {
        if (ball->accessibleName() == name && ball->isVisible())
            return ball;
    }
    return nullptr;
}

// A vertical line of `balls` balls in column 0: clearable from its top.
Figure Line(int balls)
{
    Figure figure;
    for (int row = 0; row < balls; ++row)
        figure.Set({row, 0}, true);
    return figure;
}

// The record store as it lies on disk.
QByteArray StoreBytes()
{
    QFile store(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                + QStringLiteral("/Brenhavel/Zumirak.ini"));
    return store.open(QIODevice::ReadOnly) ? store.readAll() : QByteArray();
}

} // namespace

class WorkshopTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;
    std::unique_ptr<MainForm> main;
    StageWorkshop* workshop = nullptr;

    void WaitForVerdict()
    {
        QTRY_VERIFY(!workshop->AwaitingVerdict());
    }

    // The player's stages as the three windows name them, "number：title";
    // "disagree" where they do not agree.
    QStringList NamesShown() const
    {
        QStringList names;
        QTableWidget* table = RecordsOverview::Instance()->Table;
        for (int number = StageTable::Count; number < StageTable::Count + int(PlayerStages::All().size()); ++number) {
            const QString listed = workshop->StageChoice->itemText(workshop->StageChoice->findData(number));
            main->Selection()->LeafTo(number);
            const QString caption = main->Selection()->Caption->text().replace(u'　', u'：');
            QString row;
            for (int r = 0; r < table->rowCount(); ++r) {
                if (RecordsOverview::Instance()->StageInRow(r) == number)
                    row = table->item(r, RecordsOverview::StageColumn)->text() + u'：'
                          + table->item(r, RecordsOverview::TitleColumn)->text();
            }
            names << (listed == caption && caption == row ? listed : QStringLiteral("disagree: %1 %2 %3").arg(listed, caption, row));
        }
        return names;
    }

    // Message boxes answered as the kit does: recorded, and OK.
    void ReplyAsKit()
    {
        SetMsgBoxResponderForTesting([this](const MsgBoxShown& box) {
            kit->boxes.push_back(box);
            return PlayKit::AcceptingAnswer(box);
        });
    }

private slots:
    void initTestCase()
    {
        kit = std::make_unique<PlayKit>();
        // The stages and the proofs kept of them, as a run before left them.
        QDir(PlayerStages::Folder() + QStringLiteral("/..")).removeRecursively();
        PlayerStages::Reload();
        main = std::make_unique<MainForm>();
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->show();
        QApplication::setActiveWindow(main.get());
        main->mnu_StageMake->trigger();
        workshop = StageWorkshop::Instance();
        QVERIFY(workshop);
        // Chosen again: still the one window.
        main->mnu_StageMake->trigger();
        QCOMPARE(main->Workspace()->subWindowList().count(StageWorkshop::Instance()->SubWindow()), 1);
        QCOMPARE(StageWorkshop::Instance(), workshop);
    }

    void cleanupTestCase()
    {
        PlayKit::CloseTable();
        main.reset();
        kit.reset();
    }

    void drawingUndoAndRedo()
    {
        WorkshopBoard* board = workshop->Board;
        struct Step {
            const char* name;
            std::function<void()> act;
            std::vector<Cell> expected;
        };
        const auto drag = [board](Cell from, Cell to) {
            QTest::mousePress(board, Qt::LeftButton, {}, CentreOf(from));
            QTest::mouseMove(board, CentreOf(to));
            QTest::mouseRelease(board, Qt::LeftButton, {}, CentreOf(to));
        };
        const auto keys = [board](std::initializer_list<Qt::Key> list) {
            for (const Qt::Key key : list)
                QTest::keyClick(board, key);
        };
        const auto shortcut = [this](QKeyCombination key) { QTest::keyClick(workshop->Board, key.key(), key.keyboardModifiers()); };
        const Step steps[] = {
            {"click puts", [&] { QTest::mouseClick(board, Qt::LeftButton, {}, CentreOf({0, 0})); }, {{0, 0}}},
            // One jump of the pointer: every cell between is painted.
            {"drag paints", [&] { drag({2, 0}, {2, 4}); }, {{0, 0}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}}},
            {"drag from a ball erases", [&] { drag({2, 1}, {2, 3}); }, {{0, 0}, {2, 0}, {2, 4}}},
            {"a drag is one undo", [&] { shortcut(Qt::CTRL | Qt::Key_Z); }, {{0, 0}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}}},
            {"undo again", [&] { shortcut(Qt::CTRL | Qt::Key_Z); }, {{0, 0}}},
            {"redo", [&] { shortcut(Qt::CTRL | Qt::Key_Y); }, {{0, 0}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}}},
            // The cursor stands where the last drag began, (2, 1).
            {"cursor and Space", [&] { keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Space}); },
             {{0, 0}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}, {3, 3}}},
            {"Space again takes it off", [&] { keys({Qt::Key_Space}); }, {{0, 0}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}}},
            {"undo after redo and keys", [&] { shortcut(Qt::CTRL | Qt::Key_Z); },
             {{0, 0}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 4}, {3, 3}}},
        };
        workshop->ChangeFigure(Figure());
        board->setFocus();
        for (const Step& step : steps) {
            step.act();
            QVERIFY2(workshop->Figure() == Figure(step.expected), step.name);
            for (const Cell& cell : step.expected)
                QVERIFY2(BallShownOn(board, cell), step.name);
        }
        QCOMPARE(board->Cursor(), Cell({3, 3}));
    }

    void verdictFollowsEveryChange()
    {
        struct Case {
            const char* name;
            std::vector<Cell> cells;
            QString verdict;  // the start of the verdict line
            bool saveable;
            std::vector<Cell> cutOff;
        };
        const Case cases[] = {
            {"a row", {{5, 5}, {5, 6}, {5, 7}}, QStringLiteral("クリアできます"), true, {}},
            // From any arm the way back is closed: stuck at the second or third ball.
            {"a plus", {{0, 1}, {1, 0}, {1, 1}, {1, 2}, {2, 1}}, QStringLiteral("クリアできません"), false, {}},
            {"one apart", {{0, 0}, {0, 1}, {1, 1}, {9, 9}}, QStringLiteral("クリアできません（×"), false, {{9, 9}}},
            {"two apart", {{3, 3}, {3, 4}, {4, 4}, {10, 12}, {11, 12}}, QStringLiteral("クリアできません（×"), false,
             {{10, 12}, {11, 12}}},
            {"nothing", {}, QStringLiteral("ボールを置いてください"), false, {}},
        };
        for (const Case& c : cases) {
            workshop->ChangeFigure(Figure(c.cells));
            QVERIFY2(!workshop->SaveButton->isEnabled(), c.name);  // never before the proof
            WaitForVerdict();
            QVERIFY2(workshop->VerdictLine->text().startsWith(c.verdict), qPrintable(workshop->VerdictLine->text()));
            QCOMPARE(workshop->SaveButton->isEnabled(), c.saveable);
            for (const Cell& cell : c.cells) {
                const bool marked = std::find(c.cutOff.begin(), c.cutOff.end(), cell) != c.cutOff.end();
                QCOMPARE(BallShownOn(workshop->Board, cell)->Caption() == QStringLiteral("×"), marked);
            }
        }
    }

    void aNewChangeCancelsTheProofUnderWay()
    {
        // Changes faster than any proof: only the last figure's verdict is shown.
        QSignalSpy found(workshop, &StageWorkshop::VerdictFound);
        for (int balls = 2; balls <= 40; ++balls)
            workshop->ChangeFigure(Line(balls));
        workshop->ChangeFigure(Figure({{0, 1}, {1, 0}, {1, 1}, {1, 2}, {2, 1}}));
        QVERIFY(workshop->VerdictLine->text().contains(QStringLiteral("調べています")));
        WaitForVerdict();
        QCOMPARE(found.count(), 1);
        QCOMPARE(found.front().at(0).value<Rules::Verdict>(), Rules::Verdict::NotClearable);
    }

    void saveOnlyAProvenFigureAndSeeItInTheSelection()
    {
        QScrollBar* bar = main->Selection()->HScroll1;
        const int before = bar->maximum();
        workshop->TitleBox->setText(QStringLiteral("まっすぐ"));

        workshop->ChangeFigure(Figure({{0, 0}, {0, 1}, {9, 9}}));
        workshop->Save();  // refused even when asked directly
        // A proof that ends at its limits is no proof.
        FigureProver::Instance().SetLimits({1, Rules::SolverLimits{}.maxMemoryBytes});
        workshop->ChangeFigure(Line(6));
        WaitForVerdict();
        QVERIFY(!workshop->SaveButton->isEnabled());
        workshop->Save();
        FigureProver::Instance().SetLimits({});
        workshop->ChangeFigure(Line(5));
        workshop->ChangeFigure(Line(6));
        workshop->Save();  // not proven yet
        QCOMPARE(PlayerStages::All().size(), std::size_t(0));

        WaitForVerdict();
        workshop->SaveButton->click();
        QCOMPARE(PlayerStages::All().size(), std::size_t(1));
        QCOMPARE(PlayerStages::All().front().title, QStringLiteral("まっすぐ"));
        QCOMPARE(bar->maximum(), before + 1);
        main->Selection()->LeafTo(bar->maximum());
        QCOMPARE(main->Selection()->GameTip->toolTip(), QStringLiteral("まっすぐ"));
    }

    void tryingWritesNoRecord()
    {
        workshop->ChangeFigure(Figure({{0, 0}, {0, 1}}));
        const QByteArray storeBefore = StoreBytes();
        QVERIFY(!storeBefore.isEmpty());
        QSignalSpy writes(&RecordsNotice::Instance(), &RecordsNotice::StageRecordsWritten);
        workshop->TryButton->click();
        QVERIFY(GameTable::Instance());
        PlayKit::ClickCell({0, 0});
        PlayKit::ClickCell({1, 0});
        QCOMPARE(kit->boxes.back().text, QStringLiteral("クリア"));
        PlayKit::CloseTable();
        // Tried again and left without a clear: no attempt is counted either.
        workshop->TryButton->click();
        PlayKit::ClickCell({0, 0});
        PlayKit::CloseTable();
        QCOMPARE(writes.count(), 0);
        QCOMPARE(StoreBytes(), storeBefore);
    }

    void stageCodesThroughTheClipboard()
    {
        QClipboard* clipboard = QGuiApplication::clipboard();
        // 20 characters, 40 UTF-16 units: whole in the title field and the code.
        const QString cats = QString(QStringLiteral("🐈")).repeated(20);
        workshop->TitleBox->setText(QStringLiteral("山"));
        workshop->ChangeFigure(Line(7));
        workshop->CopyButton->click();
        QVERIFY(clipboard->text().startsWith(QStringLiteral("ZMK1-")));
        const QString code = clipboard->text();

        workshop->ChangeFigure(Line(3));
        workshop->TitleBox->clear();
        workshop->PasteButton->click();
        QCOMPARE(workshop->Figure(), Line(7));
        QCOMPARE(workshop->Title(), QStringLiteral("山"));
        clipboard->setText(EncodeStageCode(cats, Line(4)));
        workshop->PasteButton->click();
        QCOMPARE(workshop->Title(), cats);
        workshop->TitleBox->setText(QStringLiteral("山"));

        // A damaged code: a message in the game's box, and nothing changes.
        workshop->ChangeFigure(Line(3));
        const std::size_t boxes = kit->boxes.size();
        clipboard->setText(code.chopped(1) + (code.endsWith(u'A') ? u'B' : u'A'));
        workshop->PasteButton->click();
        QCOMPARE(kit->boxes.size(), boxes + 1);
        QCOMPARE(kit->boxes.back().title, QStringLiteral("ズミラク"));
        QCOMPARE(workshop->Figure(), Line(3));
        QCOMPARE(workshop->Title(), QStringLiteral("山"));
    }

    void openExportImportAndDelete()
    {
        const Figure first = *FigureOfLayout(StageTable::Layout(0));
        workshop->StageChoice->setCurrentIndex(workshop->StageChoice->findData(0));
        QVERIFY(!workshop->DeleteButton->isEnabled());  // the thirty stay
        workshop->OpenButton->click();
        QCOMPARE(workshop->Figure(), first);
        QCOMPARE(workshop->Title(), StageTable::Title(0));

        // Out to a file in the Documents folder's dialog, and back in: the
        // stage joins the player's own.
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("矢.zumirak"));
        std::vector<std::pair<bool, QStandardPaths::StandardLocation>> dialogs;
        QStringList suggested;
        CommonDialog::SetResponderForTesting([&](const CommonDialog& dialog) {
            dialogs.emplace_back(dialog.Saving, dialog.FileKind);
            suggested << dialog.SuggestedName;
            return std::optional<QString>(path);
        });
        workshop->ExportButton->click();
        QCOMPARE(ReadStageFileAt(path).stage.figure, first);
        QVERIFY(workshop->ResultLine->text().contains(QStringLiteral("矢.zumirak")));  // where it went
        workshop->ChangeFigure(Figure());
        const std::size_t stages = PlayerStages::All().size();
        workshop->ImportButton->click();
        CommonDialog::SetResponderForTesting({});
        QCOMPARE(dialogs.size(), std::size_t(2));
        QCOMPARE(dialogs[0], std::make_pair(true, QStandardPaths::DocumentsLocation));
        QCOMPARE(dialogs[1], std::make_pair(false, QStandardPaths::DocumentsLocation));
        QCOMPARE(workshop->Figure(), first);
        QTRY_COMPARE(PlayerStages::All().size(), stages + 1);
        QCOMPARE(PlayerStages::All().back().figure, first);
        QCOMPARE(suggested, QStringList({StageTable::Title(0) + QStringLiteral(".zumirak"), QString()}));
        // Which stage it became, chosen in the list; the proof, ending later, leaves that said.
        WaitForVerdict();
        QVERIFY(workshop->ResultLine->text().contains(
            QStringLiteral("ステージ%1").arg(workshop->StageChoice->currentData().toInt())));
        QCOMPARE(workshop->StageChoice->currentData().toInt(), StageTable::Count + int(PlayerStages::All().size()) - 1);

        // Deleted only once confirmed.
        const int own = StageTable::Count + int(PlayerStages::All().size()) - 1;
        workshop->StageChoice->setCurrentIndex(workshop->StageChoice->findData(own));
        QVERIFY(workshop->DeleteButton->isEnabled());
        for (const QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
            int asked = 0;
            SetMsgBoxResponderForTesting([answer, &asked](const MsgBoxShown&) { return ++asked, answer; });
            workshop->DeleteButton->click();
            QCOMPARE(asked, 1);
            QCOMPARE(StageTable::Count + int(PlayerStages::All().size()), own + (answer == QMessageBox::Ok ? 0 : 1));
        }
        SetMsgBoxResponderForTesting([this](const MsgBoxShown& box) {
            kit->boxes.push_back(box);
            return PlayKit::AcceptingAnswer(box);
        });
        QCOMPARE(StageTable::Count + int(PlayerStages::All().size()), own);
        QCOMPARE(workshop->StageChoice->findData(own), -1);
    }

    // 保存 names each figure once, and the workshop's list, the selection
    // window and the records overview name each stage by the same number.
    void saveNamesEachFigureOnce()
    {
        for (const PlayerStages::Entry& stage : std::vector(PlayerStages::All()))
            QVERIFY(PlayerStages::Remove(stage.figure));
        main->mnu_RecordList->trigger();
        const QString fourKey = PlayerStageRecords::RecordKey(Line(4));
        RegUpRead::RegSetStrings(RegUpRead::HKEY_CURRENT_USER, {{fourKey, "ChargeNum", "3"}}, true);
        QString fourFile;

        struct Step {
            const char* name;
            std::function<void()> act;
            QString said;          // the start of the verdict line afterwards
            QStringList stages;    // the player's stages, "number：title"
        };
        const auto save = [this](const Figure& figure, const QString& title) {
            workshop->ChangeFigure(figure);
            workshop->TitleBox->setText(title);
            WaitForVerdict();
            workshop->SaveButton->click();
        };
        const auto remove = [this](int number) {
            SetMsgBoxResponderForTesting([](const MsgBoxShown&) { return QMessageBox::Ok; });
            workshop->StageChoice->setCurrentIndex(workshop->StageChoice->findData(number));
            workshop->DeleteButton->click();
            ReplyAsKit();
        };
        const Step steps[] = {
            {"saved", [&] { save(Line(4), QStringLiteral("四")); fourFile = PlayerStages::All().at(0).path; },
             QStringLiteral("ステージ30「四」として保存しました"), {"30：四"}},
            {"saved without a title", [&] { save(Line(5), QString()); },
             QStringLiteral("ステージ31「自作31」として保存しました"), {"30：四", "31：自作31"}},
            {"the same figure, another title", [&] { save(Line(4), QStringLiteral("よっつ")); },
             QStringLiteral("ステージ30の題名を「よっつ」にしました"), {"30：よっつ", "31：自作31"}},
            {"the same figure and title", [&] { save(Line(4), QStringLiteral("よっつ")); },
             QStringLiteral("この形は既にステージ30「よっつ」です"), {"30：よっつ", "31：自作31"}},
            {"one of the thirty", [&] { save(*FigureOfLayout(StageTable::Layout(3)), QStringLiteral("写し")); },
             QStringLiteral("この形は既にステージ3「%1」です").arg(StageTable::Title(3)), {"30：よっつ", "31：自作31"}},
            {"the first deleted", [&] { remove(30); }, QString(), {"30：自作31"}},
        };
        for (const Step& step : steps) {
            step.act();
            QVERIFY2(workshop->ResultLine->text().startsWith(step.said), qPrintable(workshop->ResultLine->text()));
            QCOMPARE(NamesShown(), step.stages);
            if (fourFile.isEmpty() || !PlayerStages::All().at(0).title.contains(QStringLiteral("よっつ")))
                continue;
            // Renamed: its place, its file and its record stay.
            QCOMPARE(PlayerStages::All().at(0).path, fourFile);
            QCOMPARE(RegUpRead::PeekStage(fourKey).chargeNum, QStringLiteral("3"));
        }
        RecordsOverview::Instance()->close();
    }

    void verdictNeverMovesTheButtons()
    {
        // Verdicts of one line and of two: the buttons below stay put.
        const std::vector<Figure> figures = {Figure(), Line(3), Figure({{0, 0}, {0, 1}, {9, 9}}),
                                             Figure({{0, 1}, {1, 0}, {1, 1}, {1, 2}, {2, 1}})};
        std::set<int> lines;
        std::optional<QPoint> firstPlace;
        for (const Figure& figure : figures) {
            workshop->ChangeFigure(figure);
            WaitForVerdict();
            QCoreApplication::sendPostedEvents();
            workshop->layout()->activate();
            const QLabel* verdict = workshop->VerdictLine;
            lines.insert(verdict->fontMetrics().boundingRect(QRect(0, 0, verdict->width(), 1000), Qt::TextWordWrap,
                                                             verdict->text()).height());
            const QPoint place = workshop->TryButton->mapTo(workshop, QPoint());
            QCOMPARE(place, firstPlace.value_or(place));
            firstPlace = place;
        }
        QVERIFY(lines.size() > 1);  // the verdicts did take one line and two
    }

    void generateKeepsTheTypedSeedApart()
    {
        const auto generate = [this] {
            workshop->GenerateButton->click();
            return workshop->Figure();
        };
        workshop->GenerateBalls->setValue(12);
        QTest::keyClicks(workshop->SeedBox, QStringLiteral("4711"));
        const Figure typed = generate();
        QCOMPARE(generate(), typed);  // again: the same seed, the same figure
        QCOMPARE(workshop->SeedBox->text(), QStringLiteral("4711"));
        QVERIFY(workshop->SeedUsed->text().endsWith(QStringLiteral("4711")));

        workshop->SeedBox->clear();
        generate();
        QVERIFY(workshop->SeedBox->text().isEmpty());  // the seed drawn is shown, but not as typed
        QVERIFY(!workshop->SeedUsed->text().endsWith(QStringLiteral("：")));
    }

    void tryingWithAStageInPlayAsksFirst()
    {
        // The player's answer: whether the stage in play closes and counts an attempt.
        for (const QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
            PlayKit::CloseTable();
            main->Selection()->LeafTo(0);
            main->mnu_Start->trigger();
            GameTable* inPlay = GameTable::Instance();
            QVERIFY(inPlay && inPlay->ClosingCountsAnAttempt());
            workshop->ChangeFigure(Line(3));
            QSignalSpy writes(&RecordsNotice::Instance(), &RecordsNotice::StageRecordsWritten);
            std::vector<MsgBoxShown> asked;
            SetMsgBoxResponderForTesting([&](const MsgBoxShown& box) {
                asked.push_back(box);
                return answer;
            });
            workshop->TryButton->click();
            QCOMPARE(asked.size(), std::size_t(1));
            QCOMPARE(asked.front().defaultButton, QMessageBox::Cancel);
            QCOMPARE(GameTable::Instance() == inPlay, answer == QMessageBox::Cancel);
            QCOMPARE(writes.count(), answer == QMessageBox::Cancel ? 0 : 1);
            // A stage tried out gives way without a question.
            asked.clear();
            if (answer == QMessageBox::Ok) {
                workshop->TryButton->click();
                QVERIFY(asked.empty());
            }
        }
        ReplyAsKit();
        PlayKit::CloseTable();
    }

    void closingAsksBeforeADrawingIsLost()
    {
        struct Way {
            const char* name;
            std::function<void()> close;
            bool endsTheGame;
        };
        const auto keys = [](Qt::Key key) {
            return [key] { QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier); };
        };
        const Way ways[] = {
            {"close box", [this] { workshop->SubWindow()->close(); }, false},
            {"Ctrl+W", keys(Qt::Key_W), false},
            {"Ctrl+F4", keys(Qt::Key_F4), false},
            {"Ctrl+Q", keys(Qt::Key_Q), true},
            {"main window's close box", [this] { main->close(); }, true},
            {"logging out", [this] {
                 if (main->EndSessionAllowed(true))
                     main->close();
             }, true},
        };
        for (const Way& way : ways) {
            // キャンセル keeps everything; 保存しない lets the workshop go.
            for (const QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::Discard}) {
                if (answer == QMessageBox::Discard && way.endsTheGame)
                    continue;  // closedWithTheMainWindow lets the game end
                if (!StageWorkshop::Instance())
                    main->mnu_StageMake->trigger();
                workshop = StageWorkshop::Instance();
                QApplication::setActiveWindow(main.get());
                workshop->Board->setFocus();
                workshop->TitleBox->setText(QStringLiteral("描きかけ"));
                workshop->ChangeFigure(Line(5));
                std::vector<MsgBoxShown> asked;
                SetMsgBoxResponderForTesting([&](const MsgBoxShown& box) {
                    asked.push_back(box);
                    return answer;
                });
                way.close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                ReplyAsKit();
                QVERIFY2(asked.size() == 1, way.name);
                QCOMPARE(asked.front().defaultButton, QMessageBox::Cancel);
                QVERIFY2(main->isVisible(), way.name);
                QCOMPARE(StageWorkshop::Instance() == workshop, answer == QMessageBox::Cancel);
                if (answer == QMessageBox::Cancel)
                    QCOMPARE(workshop->Figure(), Line(5));
            }
        }
        // Another figure in the drawing's place asks the same question.
        SetMsgBoxResponderForTesting([](const MsgBoxShown&) { return QMessageBox::Cancel; });
        workshop->TitleBox->setText(QStringLiteral("描きかけ"));
        workshop->ChangeFigure(Line(5));
        for (QPushButton* replacing : {workshop->GenerateButton, workshop->OpenButton}) {
            replacing->click();
            QCOMPARE(workshop->Figure(), Line(5));
            QCOMPARE(workshop->TitleBox->text(), QStringLiteral("描きかけ"));
        }
        // 新規 asks the same question; on an empty board, none.
        int asked = 0;
        SetMsgBoxResponderForTesting([&](const MsgBoxShown&) {
            ++asked;
            return QMessageBox::Discard;
        });
        for (int press = 1; press <= 2; ++press) {
            workshop->NewButton->click();
            QCOMPARE(asked, 1);
            QCOMPARE(workshop->Figure(), Figure());
            QVERIFY(workshop->TitleBox->text().isEmpty());
        }
        ReplyAsKit();
    }

    void closedWithTheMainWindow()
    {
        // 保存 saves the drawing as a stage, then the game ends.
        workshop->TitleBox->setText(QStringLiteral("最後の一本"));
        workshop->ChangeFigure(Line(9));
        WaitForVerdict();
        SetMsgBoxResponderForTesting([](const MsgBoxShown&) { return QMessageBox::Save; });
        QPointer<StageWorkshop> open = workshop;
        main->close();
        ReplyAsKit();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!open);
        QVERIFY(!StageWorkshop::Instance());
        QCOMPARE(PlayerStages::All().back().title, QStringLiteral("最後の一本"));
    }
};

QTEST_MAIN(WorkshopTest)
#include "test_workshop.moc"
