// What assistive technology is told and where the keys reach: window roles,
// names and the one focused widget; the records overview left by Tab and
// closed by Escape; Ctrl+Q, F10, Ctrl+W and Ctrl+F4; what the stage bar, a
// refused take and the sound switch say.
#include "app/About.h"
#include "app/MainForm.h"
#include "app/Opening.h"
#include "play/test_gametable_kit.h"
#include "records/UserAdd.h"
#include "select/GameSelect.h"
#include "select/RecordsOverview.h"

#include <QAccessible>
#include <QLabel>
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
void KeepWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg)
        warnings << message;
}

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
        const struct {
            QWidget* window;
            QAccessible::Role role;
            QString name;
        } rows[] = {
            {&userAdd, QAccessible::Dialog, QStringLiteral("ﾕｰｻﾞ登録")},
            {&splash, QAccessible::Window, QStringLiteral("ズミラク")},
            {About::LoadAndShow(main.get()), QAccessible::Dialog, QStringLiteral("ズミラク\u3000About")},
            {RecordsOverview::LoadAndShow(main.get()), QAccessible::Window, QStringLiteral("記録一覧")},
            {RecordsOverview::Instance()->Table, QAccessible::Table, QStringLiteral("記録一覧")},
        };
        for (const auto& row : rows) {
            QCOMPARE(Face(row.window)->role(), row.role);
            QCOMPARE(Face(row.window)->text(QAccessible::Name), row.name);
        }
        QVERIFY(Face(&userAdd)->text(QAccessible::Description).contains(userAdd.Label1[3]->text()));
        // Owned by the main window, so a Wayland compositor places them on it.
        QCOMPARE(About::Instance()->parentWidget(), main.get());
        QCOMPARE(RecordsOverview::Instance()->parentWidget(), main.get());
    }

    void menuItemsTellChecksSubmenusAndShortcuts()
    {
        const struct {
            QAction* item;
            bool checkable, checked, submenu;
            QString keys;
        } rows[] = {
            {main->mnu_Sound, true, true, false, QStringLiteral("Ctrl+S")},
            {main->mnu_Daia, true, false, false, QString()},
            {main->mnu_Ball, false, false, true, QString()},
            {main->mnu_MainHelp, false, false, false, QStringLiteral("F1")},
        };
        for (const auto& row : rows) {
            QAccessibleInterface* face = Face(row.item);
            QCOMPARE(face->state().checkable, row.checkable);
            QCOMPARE(face->state().checked, row.checked);
            QCOMPARE(face->state().hasPopup, row.submenu);
            QCOMPARE(face->childCount(), row.submenu ? 1 : 0);
            QAccessibleActionInterface* actions = face->actionInterface();
            QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()).join(u' '), row.keys);
        }
    }

    void onlyTheFocusedWidgetReportsFocus()
    {
        for (QWidget* widget : {static_cast<QWidget*>(main->SelectionSubWindow()),
                                static_cast<QWidget*>(main->Selection()), static_cast<QWidget*>(Bar())})
            QCOMPARE(Face(widget)->state().focused, widget == Bar());
    }

    void overviewIsLeftByTabAndClosedByEscape()
    {
        main->mnu_RecordList->trigger();
        RecordsOverview* overview = RecordsOverview::Instance();
        QVERIFY(QTest::qWaitForWindowActive(overview));
        QTRY_COMPARE(QApplication::focusWidget(), overview->Table);
        QCOMPARE(overview->Table->selectionModel()->selectedRows().value(0).row(), 0);
        const struct {
            Qt::Key key;
            QWidget* reached;
        } steps[] = {{Qt::Key_Tab, overview->ClearCount}, {Qt::Key_Tab, overview->Command1},
                     {Qt::Key_Backtab, overview->ClearCount}, {Qt::Key_Backtab, overview->Table}};
        for (const auto& step : steps) {
            Press(step.key);
            QCOMPARE(QApplication::focusWidget(), step.reached);
        }

        // An uncleared stage says so; asking the scroll bar's way up finds no stray child.
        QAccessibleTableInterface* table = Face(overview->Table)->tableInterface();
        QCOMPARE(table->cellAt(0, RecordsOverview::ClearedColumn)->text(QAccessible::Name), QStringLiteral("未クリア"));
        // Each row's header, hidden but read, reads as its 面 cell: as opened, and sorted by title.
        QAccessibleInterface* cells = Face(overview->Table);
        for (int i = 0; i + 1 < cells->childCount(); ++i) {
            if (cells->child(i)->role() == QAccessible::RowHeader)
                QCOMPARE(cells->child(i)->text(QAccessible::Name), cells->child(i + 1)->text(QAccessible::Name));
        }
        overview->Table->sortByColumn(RecordsOverview::TitleColumn, Qt::AscendingOrder);
        for (int row = 0; row < overview->Table->rowCount(); ++row)
            QCOMPARE(overview->Table->verticalHeaderItem(row)->text(), overview->Table->item(row, 0)->text());
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(KeepWarnings);
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

    void closingAndMenuKeys_data()
    {
        QTest::addColumn<int>("key");  // with Ctrl
        QTest::addColumn<bool>("mainStaysOpen");
        QTest::newRow("Ctrl+W closes the stage") << int(Qt::Key_W) << true;
        QTest::newRow("Ctrl+F4 closes the stage") << int(Qt::Key_F4) << true;
        QTest::newRow("Ctrl+Q closes the game") << int(Qt::Key_Q) << false;
    }
    void closingAndMenuKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, mainStaysOpen);
        Press(Qt::Key_Return);  // the stage opens from the keyboard: its mark shows at once
        QVERIFY(GameTable::Instance()->PushCommand(0)->ShowsFocusMark());
        Press(key, Qt::ControlModifier);
        QVERIFY(!GameTable::Instance());
        QCOMPARE(main->isVisible(), mainStaysOpen);
        QCOMPARE(PlayKit::Record(0).first(), QStringLiteral("2"));  // the attempt was counted
    }

    void f10HighlightsTheFirstMenuAndEscapeReturns()
    {
        Press(Qt::Key_F10);
        QCOMPARE(QApplication::focusWidget(), main->menuBar());
        QCOMPARE(main->menuBar()->activeAction(), main->mnu_Start);
        Press(Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), Bar());
    }

    void stageBarPictureAndSwitchSayWhatChanged()
    {
        PlayKit::SetRecord(3, QStringLiteral("2"), QStringLiteral("95"));
        GameSelect* select = main->Selection();
        for (int stage : {3, 4}) {
            select->LeafTo(stage);
            const QString title = StageTable::Title(stage);
            QCOMPARE(Face(Bar())->text(QAccessible::Name), stage == 3 ? title + QStringLiteral("　クリア済み") : title);
            QCOMPARE(Face(select->GameTip)->text(QAccessible::Name), title);
            QCOMPARE(Face(select->GameTip)->text(QAccessible::Description),
                     QStringLiteral("ボール%1個").arg(StageTable::Layout(stage).size() / 10));
            QVERIFY(select->Caption->isVisible());
            QCOMPARE(select->Caption->text(), QStringLiteral("%1　%2").arg(stage).arg(title));
        }
        const QString barDescription = Bar()->accessibleDescription();
        Press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Bar()->accessibleDescription(), QStringLiteral("サウンドなし"));
        Press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Bar()->accessibleDescription(), QStringLiteral("サウンドあり"));

        // A refused take is said on the ball; the bar gets its own words back.
        PlayKit::SetRecord(26, QStringLiteral("1"), QStringLiteral("0"));
        select->LeafTo(26);
        main->mnu_Start_Click();
        PlayKit::ClickCell({0, 0});
        PlayKit::ClickCell({0, 3});
        QCOMPARE(GameTable::Instance()->PushCommand(PlayKit::BallAt(0, 3))->accessibleDescription(),
                 QStringLiteral("このボールは選択できません"));
        QCOMPARE(Bar()->accessibleDescription(), barDescription);
        PlayKit::CloseTable();
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
