// SPDX-License-Identifier: GPL-3.0-or-later
// The stage selection window inside the main window.
#include "app/MainForm.h"
#include "play/GameTable.h"
#include "play/PicForm.h"
#include "play/ShapedButton.h"
#include "play/StageTable.h"
#include "select/GameSelect.h"
#include "shared/MsgBox.h"
#include "shared/UnexpectedBoxes.h"

#include <QAccessible>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QtTest>

namespace {

bool SamePicture(const QPixmap& a, const QPixmap& b) { return a.toImage() == b.toImage(); }

} // namespace

class TestSelectWindow : public QObject {
    Q_OBJECT

    UnexpectedBoxes unexpectedBoxes_;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void opensAtTheTopLeftShowingStageZero();
    void barRunsFromZeroToTwentyNine();
    void everyStageOnDisplayIsCopiedWhole();
    void keyboardLeafsThroughTheStages();
    void wheelDownLeafsForward();
    void draggedThumbChangesTheStageWhenLetGo();
    void doubleClickStartsTheStageOnDisplay();
    void returnOnTheBarStartsTheStageOnDisplay();

private:
    void VerifyShowing(int stage);

    MainForm* main_ = nullptr;
    GameSelect* select_ = nullptr;
};

void TestSelectWindow::initTestCase()
{
    // The play window may report a missing sound device; answer OK.
    SetMsgBoxResponderForTesting([](const MsgBoxShown&) { return QMessageBox::Ok; });
    main_ = new MainForm;
    main_->setAttribute(Qt::WA_DeleteOnClose, false);
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_));
    select_ = main_->Selection();
    QVERIFY(select_);
}

void TestSelectWindow::cleanupTestCase()
{
    delete main_;
    SetMsgBoxResponderForTesting({});
}

void TestSelectWindow::cleanup()
{
    if (GameTable* table = GameTable::Instance())
        table->close();
    select_->HScroll1->setValue(0);
}

// Picture, layout string and title all belong to `stage`, the bar's value.
void TestSelectWindow::VerifyShowing(int stage)
{
    QCOMPARE(select_->HScroll1->value(), stage);
    const PicForm::StageEntry& entry = PicForm::Game(stage);
    QCOMPARE(select_->GameTip->toolTip(), entry.ToolTipText);
    QCOMPARE(select_->GameTip->Tag, entry.Tag);
    QVERIFY(SamePicture(select_->GameTip->pixmap(), entry.Picture));
    // Assistive technology reads the bar as the stage on display (and whether it is cleared).
    QVERIFY(QAccessible::queryAccessibleInterface(select_->HScroll1)->text(QAccessible::Name).startsWith(entry.ToolTipText));
}

void TestSelectWindow::opensAtTheTopLeftShowingStageZero()
{
    // Checked before any other test moves the bar.
    QCOMPARE(select_->HScroll1->value(), 0);
    QCOMPARE(select_->GameTip->toolTip(), QStringLiteral("矢の羽"));
    QCOMPARE(select_->GameTip->Tag, StageTable::Layout(0));
    VerifyShowing(0);

    QCOMPARE(main_->SelectionSubWindow()->pos(), QPoint(0, 0));
    QCOMPARE(select_->size(), QSize(216, 231));
    QCOMPARE(select_->GameTip->geometry(), QRect(8, 8, 200, 200));
    QCOMPARE(select_->HScroll1->geometry(), QRect(8, 208, 201, 17));
    QVERIFY(select_->isVisible());
    QVERIFY(select_->GameTip->isVisible());
}

void TestSelectWindow::barRunsFromZeroToTwentyNine()
{
    QScrollBar* bar = select_->HScroll1;
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 29);
    bar->setValue(29);
    VerifyShowing(29);
    QCOMPARE(select_->GameTip->toolTip(), QStringLiteral("６８"));
    bar->setValue(30);
    VerifyShowing(29);
    bar->setValue(-1);
    VerifyShowing(0);
}

void TestSelectWindow::everyStageOnDisplayIsCopiedWhole()
{
    // Forward and back, so a stale copy from the previous stage shows up.
    for (int stage = 0; stage < PicForm::StageCount; ++stage) {
        select_->HScroll1->setValue(stage);
        VerifyShowing(stage);
    }
    for (int stage = PicForm::StageCount - 1; stage >= 0; stage -= 7) {
        select_->HScroll1->setValue(stage);
        VerifyShowing(stage);
    }
}

void TestSelectWindow::keyboardLeafsThroughTheStages()
{
    QScrollBar* bar = select_->HScroll1;
    // The bar is the window's stop in the tab order: focusing the window
    // lands on it.
    QVERIFY(bar->focusPolicy() & Qt::TabFocus);
    select_->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(bar->hasFocus());

    QTest::keyClick(bar, Qt::Key_Left);
    VerifyShowing(0);
    QTest::keyClick(bar, Qt::Key_Right);
    VerifyShowing(1);
    QCOMPARE(select_->GameTip->toolTip(), QStringLiteral("片根矢"));
    QTest::keyClick(bar, Qt::Key_Down);
    VerifyShowing(2);
    QTest::keyClick(bar, Qt::Key_Up);
    VerifyShowing(1);
    QTest::keyClick(bar, Qt::Key_PageDown);
    VerifyShowing(4);
    QTest::keyClick(bar, Qt::Key_End);
    VerifyShowing(29);
    QTest::keyClick(bar, Qt::Key_Right);
    VerifyShowing(29);
    QTest::keyClick(bar, Qt::Key_PageUp);
    VerifyShowing(26);
    QTest::keyClick(bar, Qt::Key_Home);
    VerifyShowing(0);
}

void TestSelectWindow::wheelDownLeafsForward()
{
    QScrollBar* bar = select_->HScroll1;
    const QPointF at = bar->rect().center();
    QWheelEvent down(at, bar->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &down);
    QVERIFY(bar->value() > 0);
    VerifyShowing(bar->value());
}

void TestSelectWindow::draggedThumbChangesTheStageWhenLetGo()
{
    QScrollBar* bar = select_->HScroll1;
    bar->setSliderDown(true);
    bar->setSliderPosition(17);
    VerifyShowing(0);
    bar->setSliderDown(false);
    VerifyShowing(17);
}

void TestSelectWindow::doubleClickStartsTheStageOnDisplay()
{
    select_->HScroll1->setValue(13);
    QVERIFY(!GameTable::Instance());
    QTest::mouseDClick(select_->GameTip, Qt::LeftButton);
    GameTable* table = GameTable::Instance();
    QVERIFY(table);
    QCOMPARE(table->StageNumber, QStringLiteral("13"));
    QCOMPARE(table->windowTitle(), QStringLiteral("Ｂ’z"));

    // A second double click on another stage only brings the open one forward.
    select_->HScroll1->setValue(2);
    VerifyShowing(2);
    QTest::mouseDClick(select_->GameTip, Qt::LeftButton);
    QCOMPARE(GameTable::Instance(), table);
    QCOMPARE(table->StageNumber, QStringLiteral("13"));
}

void TestSelectWindow::returnOnTheBarStartsTheStageOnDisplay()
{
    select_->HScroll1->setValue(26);
    select_->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(select_->HScroll1->hasFocus());
    QTest::keyClick(select_->HScroll1, Qt::Key_Return);
    GameTable* table = GameTable::Instance();
    QVERIFY(table);
    QCOMPARE(table->StageNumber, QStringLiteral("26"));
    // The stage is the active window, its first ball ready for the keys.
    QCOMPARE(main_->Workspace()->activeSubWindow(), table->SubWindow());
    QTRY_COMPARE(QApplication::focusWidget(), table->PushCommand(0));
}

QTEST_MAIN(TestSelectWindow)
#include "test_select_window.moc"
