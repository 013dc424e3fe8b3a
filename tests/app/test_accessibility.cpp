// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology is told and where the keys reach: window roles,
// names and the one focused widget; the records overview left by Tab and
// closed by Escape; Ctrl+Q, F10, Ctrl+W and Ctrl+F4; what the stage bar, a
// take, a refused take, the sound switch, the workshop and the records
// overview say (what the screen reader then speaks: orca_speech.py).
#include "app/About.h"
#include "app/DesktopKeys.h"
#include "app/MainForm.h"
#include "app/Opening.h"
#include "play/test_gametable_kit.h"
#include "records/UserAdd.h"
#include "select/GameSelect.h"
#include "select/RecordsOverview.h"
#include "select/StageList.h"
#include "shared/FocusSaidFirst.h"
#include "shared/Announce.h"
#include "shared/UnexpectedBoxes.h"
#include "workshop/StageWorkshop.h"
#include "workshop/WorkshopBoard.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

namespace {

QAccessibleInterface* Face(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

QStringList warnings;

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;
    std::unique_ptr<MainForm> main;

    QScrollBar* Bar() const { return main->Selection()->HScroll1; }

private slots:
    void initTestCase() { kit = std::make_unique<PlayKit>(); }
    void cleanupTestCase() { kit.reset(); }
    void init()
    {
        PlayKit::WriteFirstRunStore();
        main = std::make_unique<MainForm>();
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->show();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        Bar()->setFocus();
    }
    void cleanup()
    {
        main.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void windowsReadAsWindowsWithTheirNames()
    {
        UserAdd userAdd;
        Opening splash;
        const std::tuple<QWidget*, QAccessible::Role, QString> rows[] = {
            {&userAdd, QAccessible::Dialog, QStringLiteral("ﾕｰｻﾞ登録")},
            {&splash, QAccessible::Window, QStringLiteral("ズミラク")},
            {About::LoadAndShow(main.get()), QAccessible::Dialog, QStringLiteral("ズミラク\u3000About")},
            {RecordsOverview::LoadAndShow(main.get()), QAccessible::Window, QStringLiteral("記録一覧")},
            {RecordsOverview::Instance()->Table, QAccessible::Table, QStringLiteral("記録一覧")},
        };
        for (const auto& [window, role, name] : rows) {
            QCOMPARE(Face(window)->role(), role);
            QCOMPARE(Face(window)->text(QAccessible::Name), name);
        }
        QVERIFY(Face(&userAdd)->text(QAccessible::Description).contains(userAdd.Label1[3]->text()));
        QVERIFY(Face(About::Instance())->text(QAccessible::Description).contains(About::Instance()->Label1[2]->text()));
        // Owned by the main window, so a Wayland compositor places them on it.
        QCOMPARE(About::Instance()->parentWidget(), main.get());
        QCOMPARE(RecordsOverview::Instance()->parentWidget(), main.get());
        // Only the widget that holds the focus says so, not its frame or proxy.
        for (QWidget* widget : std::initializer_list<QWidget*>{main->SelectionSubWindow(), main->Selection(), Bar()})
            QCOMPARE(Face(widget)->state().focused, widget == Bar());
    }

    void menuItemsTellChecksSubmenusAndShortcuts()
    {
        // Item, checkable, checked, opens a submenu, key binding.
        const std::tuple<QAction*, bool, bool, bool, QString> rows[] = {
            {main->mnu_Sound, true, true, false, QStringLiteral(";;Ctrl+S")},
            {main->mnu_Daia, true, false, false, QString()},
            {main->mnu_Ball, false, false, true, QString()},
            {main->mnu_MainHelp, false, false, false, QStringLiteral(";;F1")},
        };
        for (const auto& [item, checkable, checked, submenu, keys] : rows) {
            const QAccessible::State state = Face(item)->state();
            QCOMPARE(std::tuple(state.checkable, state.checked, state.hasPopup), std::tuple(checkable, checked, submenu));
            QCOMPARE(Face(item)->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()).join(u' '), keys);
        }
    }

    void overviewIsLeftByTabAndClosedByEscape()
    {
        main->mnu_RecordList->trigger();
        RecordsOverview* overview = RecordsOverview::Instance();
        QVERIFY(QTest::qWaitForWindowActive(overview));
        QTRY_COMPARE(QApplication::focusWidget(), overview->Table);
        QCOMPARE(overview->Table->selectionModel()->selectedRows().value(0).row(), 0);
        const std::pair<Qt::Key, QWidget*> steps[] = {{Qt::Key_Tab, overview->ClearCount},
                                                      {Qt::Key_Tab, overview->Command1},
                                                      {Qt::Key_Backtab, overview->ClearCount},
                                                      {Qt::Key_Backtab, overview->Table}};
        for (const auto& [key, reached] : steps) {
            Press(key);
            QCOMPARE(QApplication::focusWidget(), reached);
        }

        // An uncleared stage says so; the hidden row header reads as the 面 cell beside it.
        QAccessibleInterface* cells = Face(overview->Table);
        QCOMPARE(cells->tableInterface()->cellAt(0, RecordsOverview::ClearedColumn)->text(QAccessible::Name), QStringLiteral("未クリア"));
        for (int i = 0; i + 1 < cells->childCount(); ++i) {
            if (cells->child(i)->role() == QAccessible::RowHeader)
                QCOMPARE(cells->child(i)->text(QAccessible::Name), cells->child(i + 1)->text(QAccessible::Name));
        }
        overview->Table->sortByColumn(RecordsOverview::TitleColumn, Qt::AscendingOrder);
        for (int row = 0; row < overview->Table->rowCount(); ++row)
            QCOMPARE(overview->Table->verticalHeaderItem(row)->text(), overview->Table->item(row, 0)->text());
        // The way up from every inner widget finds no stray child.
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg)
                warnings << text;
        });
        for (QWidget* part : overview->Table->findChildren<QWidget*>()) {
            for (QAccessibleInterface* child = Face(part); child && child->parent(); child = child->parent())
                child->parent()->indexOfChild(child);
        }
        qInstallMessageHandler(previous);
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u"\n")));

        Press(Qt::Key_Escape);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!RecordsOverview::Instance());
    }

    void keysCloseTheStageOrTheGameAndReachTheMenus()
    {
        // Ctrl+ key, whether the game stays open.
        for (const auto& [key, mainStaysOpen] : {std::pair{Qt::Key_W, true}, {Qt::Key_F4, true}, {Qt::Key_Q, false}}) {
            Press(Qt::Key_Return);  // the stage opens from the keyboard: its mark shows at once
            QVERIFY(GameTable::Instance()->PushCommand(0)->ShowsFocusMark());
            Press(key, Qt::ControlModifier);
            QVERIFY(!GameTable::Instance());
            QCOMPARE(main->isVisible(), mainStaysOpen);
        }
        main->show();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        Bar()->setFocus();
        Press(Qt::Key_F10);
        QCOMPARE(main->menuBar()->activeAction(), main->mnu_Start);
        Press(Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), Bar());
    }

    void keysComeBackWhenAQuestionFromAMenuIsAnswered()
    {
        // The question's box had the keys; the main window is not active
        // again yet when the command is done.
        Press(Qt::Key_F10);
        QWidget box;
        box.show();
        QApplication::setActiveWindow(&box);
        QVERIFY(QTest::qWaitForWindowActive(&box));
        emit main->menuBar()->triggered(main->mnu_Del);
        QCoreApplication::processEvents();
        box.close();
        QApplication::setActiveWindow(main.get());
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        QCOMPARE(QApplication::focusWidget(), Bar());
    }

    // A box of ours hidden while no window had the keys (a window manager
    // that gives them to none; the offscreen platform has none at all): they
    // come back to the game, to the modal window when one is open (the box
    // was over it). Never from another program that has them meanwhile.
    void keysComeBackWhenNoWindowTakesThem_data()
    {
        QTest::addColumn<bool>("modalOpen");
        QTest::addColumn<bool>("anotherProgramHasThem");
        QTest::newRow("to the main window") << false << false;
        QTest::newRow("to the modal window") << true << false;
        QTest::newRow("not from another program") << false << true;
    }
    void keysComeBackWhenNoWindowTakesThem()
    {
        QFETCH(bool, modalOpen);
        QFETCH(bool, anotherProgramHasThem);
        int asked = 0;
        DesktopKeys::AnswerForTesting([&] { return ++asked, !anotherProgramHasThem; });
        const UnexpectedBoxes::Expected windowsOfTheTest;
        QDialog modal(main.get());
        if (modalOpen) {
            modal.open();
            QVERIFY(QTest::qWaitForWindowActive(&modal));
        }
        QDialog box;
        box.setModal(true);
        box.show();
        QApplication::setActiveWindow(&box);
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QApplication::setActiveWindow(nullptr);  // the keys went elsewhere, or nowhere
        box.close();
        QTRY_VERIFY(asked > 0);
        DesktopKeys::AnswerForTesting({});
        QWidget* const keys = anotherProgramHasThem ? nullptr : modalOpen ? static_cast<QWidget*>(&modal) : main.get();
        QTRY_COMPARE(QApplication::activeWindow(), keys);
        if (keys == main.get())
            QCOMPARE(QApplication::focusWidget(), Bar());
    }

    void aboutClosesByEscape()
    {
        About* about = About::LoadAndShow(main.get());
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(about, Qt::Key_Escape);
        QTRY_VERIFY(!About::Instance());
    }

    void textFieldsTellTheirFocusBeforeTheirCaret()
    {
        // The toolkit tells of a field's new focus only once the field has
        // taken it: the field's selection (and caret) may change only after
        // that, or a screen reader hears of them first and says nothing.
        SayFocusBeforeCaret(*qApp);
        main->mnu_StageMake->trigger();
        StageWorkshop* workshop = StageWorkshop::Instance();
        workshop->TitleBox->setText(QStringLiteral("題"));
        workshop->SeedBox->setText(QStringLiteral("7"));
        const std::pair<QWidget*, QLineEdit*> fields[] = {{workshop->Board, workshop->TitleBox},
                                                          {workshop->GenerateDifficulty, workshop->SeedBox}};
        for (const auto& [from, field] : fields) {
            from->setFocus();
            QTest::keyClick(from, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), field);
            QCOMPARE(field->selectedText(), QString());
            QTRY_COMPARE(field->selectedText(), field->text());  // selected as ever, a moment later
        }
        workshop->SubWindow()->close();
    }

    void stageBarPictureSwitchAndRefusalAreSaid()
    {
        PlayKit::SetRecord(3, QStringLiteral("2"), QStringLiteral("95"));
        GameSelect* select = main->Selection();
        for (int stage : {3, 4}) {
            select->LeafTo(stage);
            const QString title = StageTable::Title(stage);
            const QString barName = Face(Bar())->text(QAccessible::Name);
            QVERIFY(barName.startsWith(title) && barName.endsWith(QStringLiteral("クリア済み")) == (stage == 3));
            QCOMPARE(Face(select->GameTip)->text(QAccessible::Name), title);
            QVERIFY(Face(select->GameTip)->text(QAccessible::Description).contains(QString::number(StageTable::Layout(stage).size() / 10)));
            QVERIFY(select->Caption->isVisible() && select->Caption->text().endsWith(title));
        }
        const QString barDescription = Bar()->accessibleDescription();
        for (const QString& said : {QStringLiteral("サウンドなし"), QStringLiteral("サウンドあり")}) {
            Press(Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(LastAnnouncement(), said);
        }
        QCOMPARE(Bar()->accessibleDescription(), barDescription);  // the bar's hint stays its own
        // A refused take is said and marked on the ball for a moment, with the
        // sound on as with it off (a player who cannot hear may have it on),
        // and leaves no words on the ball; once taken, the ball says so.
        select->LeafTo(26);
        for (const bool soundOn : {true, false}) {
            if (main->SoundOn() != soundOn)
                Press(Qt::Key_S, Qt::ControlModifier);
            main->mnu_Start_Click();
            ShapedButton* refused = GameTable::Instance()->PushCommand(PlayKit::BallAt(0, 3));
            const QString ownName = refused->accessibleName();
            PlayKit::ClickCell({0, 0});
            PlayKit::ClickCell({0, 3});
            QCOMPARE(LastAnnouncement(), QStringLiteral("このボールは選択できません"));
            QVERIFY2(refused->ShowsRefusalMark(), soundOn ? "sound on" : "sound off");
            QTRY_VERIFY(!refused->ShowsRefusalMark());
            QCOMPARE(std::pair(refused->accessibleName(), refused->accessibleDescription()), std::pair(ownName, QString()));
            for (int row : {1, 2, 3})
                PlayKit::ClickCell({0, row});
            QCOMPARE(LastAnnouncement(), refused->accessibleName());
            QVERIFY(LastAnnouncement().endsWith(QStringLiteral("4番目に取得")));
            PlayKit::CloseTable();
        }
    }

    void workshopAndOverviewSayWhatChanged()
    {
        main->mnu_StageMake->trigger();
        StageWorkshop* workshop = StageWorkshop::Instance();
        WorkshopBoard* board = workshop->Board;
        const QString hint = board->accessibleDescription();
        board->setFocus();
        // Key, what is said at last.
        // Key, what is said at once, what is said at last.
        const struct {
            QKeyCombination key;
            QString first;
            QString last;
        } steps[] = {
            {Qt::Key_Right, {}, QStringLiteral("8行 9列 空き")},
            {Qt::Key_Space, {}, QStringLiteral("クリアできます")},
            {Qt::Key_Down, {}, QStringLiteral("9行 9列 空き")},
            {Qt::Key_Right, {}, QStringLiteral("9行 10列 空き")},
            {Qt::Key_Space, {}, QStringLiteral("クリアできません（×のボールは縦にも横にもほかとつながっていません）")},
            {Qt::CTRL | Qt::Key_Z, QStringLiteral("元に戻しました：9行 10列 空き"), QStringLiteral("クリアできます")},
            {Qt::CTRL | Qt::Key_Y, QStringLiteral("やり直しました：9行 10列 ボールあり"),
             QStringLiteral("クリアできません（×のボールは縦にも横にもほかとつながっていません）")},
        };
        for (const auto& step : steps) {
            QTest::keyClick(board, step.key.key(), step.key.keyboardModifiers());
            if (!step.first.isEmpty())
                QCOMPARE(LastAnnouncement(), step.first);
            QTRY_COMPARE(LastAnnouncement(), step.last);
        }
        QCOMPARE(board->CursorText(), QStringLiteral("9行 10列 ボールあり（×：ほかのボールから取れません）"));
        QCOMPARE(board->accessibleDescription(), hint);
        // Tab goes round the workshop's own stops, never onto its frame.
        const std::tuple<QWidget*, Qt::Key, QWidget*> rounds[] = {{workshop->ImportButton, Qt::Key_Tab, board},
                                                                  {board, Qt::Key_Backtab, workshop->ImportButton}};
        QWidgetList reached;
        const auto follow = connect(qApp, &QApplication::focusChanged, this,
                                    [&reached](QWidget*, QWidget* now) { reached << now; });
        for (const auto& [from, key, to] : rounds) {
            from->setFocus();
            reached.clear();
            QTest::keyClick(from, key);
            QCOMPARE(reached, QWidgetList{to});
        }
        disconnect(follow);
        // A list box's choice is said as the keys move it.
        for (QComboBox* choice : {workshop->StageChoice, workshop->GenerateDifficulty}) {
            choice->setFocus();
            QTest::keyClick(choice, Qt::Key_End);
            QCOMPARE(LastAnnouncement(), choice->currentText());
        }
        // Return presses the focused button, as Space does.
        workshop->CopyButton->setFocus();
        QTest::keyClick(workshop->CopyButton, Qt::Key_Return);
        QTRY_COMPARE(LastAnnouncement(), QStringLiteral("ステージコードをクリップボードにコピーしました"));
        workshop->SubWindow()->close();

        // The records overview reads its marks as words, the row when the
        // table gets the keys back, and the stage a row puts on display.
        RecordsOverview* overview = RecordsOverview::LoadAndShow(main.get());
        QApplication::setActiveWindow(overview);
        QVERIFY(QTest::qWaitForWindowActive(overview));
        overview->Table->setCurrentCell(1, 0);
        overview->Command1->setFocus();
        overview->Table->setFocus(Qt::BacktabFocusReason);
        QVERIFY(LastAnnouncement().contains(QStringLiteral("達成記録（秒） 記録なし")));
        QVERIFY(LastAnnouncement().contains(QStringLiteral("難易度 %1").arg(StageList::Stars(1))));
        // By arrows, each cell as its heading and value, the mark as a word.
        for (int column = 0; column < RecordsOverview::ColumnCount; ++column) {
            const QString spoken = overview->Table->item(1, column)->data(Qt::AccessibleTextRole).toString();
            const QString heading = overview->Table->horizontalHeaderItem(column)->text();
            QVERIFY2(column == RecordsOverview::ClearedColumn ? spoken == QStringLiteral("未クリア")
                                                               : spoken.startsWith(heading + u' '),
                     qPrintable(spoken));
        }
        QTest::keyClick(overview->Table, Qt::Key_Return);
        QCOMPARE(LastAnnouncement(), QStringLiteral("ステージ選択に 1　%1 を表示しました").arg(StageTable::Title(1)));
        overview->close();
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
