// SPDX-License-Identifier: GPL-3.0-or-later
// Playing with the keyboard alone: where the arrow keys go, a stage cleared
// with keys only, refused key presses, the focus mark, and the names that
// assistive technology reads.

#include "test_gametable_kit.h"

#include "play/BallNavigation.h"
#include "play/DefModule.h"
#include "play/PicForm.h"
#include "shared/Announce.h"

#include <algorithm>

#include <QAccessible>

namespace {

ShapedButton* Ball(int k) { return GameTable::Instance()->PushCommand(k); }
ShapedButton* Focused() { return qobject_cast<ShapedButton*>(QApplication::focusWidget()); }
QPoint CellOf(const QWidget* ball) { return ball ? ball->pos() / 40 : QPoint(-1, -1); }

// A key as the player presses it: to whatever has the focus.
void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

// The focus to the ball on `cell` with Tab, or with the arrows along its row
// or column.
void KeysTo(QPoint cell, bool arrows)
{
    for (int presses = 0; presses < 40 && CellOf(Focused()) != cell; ++presses) {
        const QPoint from = CellOf(Focused());
        if (!arrows)
            Press(Qt::Key_Tab);
        else if (from.y() == cell.y())
            Press(cell.x() > from.x() ? Qt::Key_Right : Qt::Key_Left);
        else
            Press(cell.y() > from.y() ? Qt::Key_Down : Qt::Key_Up);
    }
    QCOMPARE(CellOf(Focused()), cell);
}

// Keys that get past the balls to the workspace, which would scroll.
struct KeyLeaks : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() != Qt::Key_Shift;
        return false;
    }
};

} // namespace

class TestGameTableKeyboard : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;
    KeyLeaks leaks;

private slots:
    void initTestCase()
    {
        kit = std::make_unique<PlayKit>();
        kit->Workspace().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&kit->Workspace()));
        kit->Workspace().installEventFilter(&leaks);
    }
    void cleanupTestCase() { kit.reset(); }
    void cleanup()
    {
        QCOMPARE(leaks.count, 0);
        PlayKit::CloseTable();
    }

    void arrowGoesToTheNearestBallInItsLine()
    {
        // From ball 0 on (3,2); cells are (column, row).
        const std::vector<QPoint> cells = {{3, 2}, {1, 2}, {6, 2}, {9, 2}, {4, 3}, {3, 0}};
        QCOMPARE(BallInDirection(cells, 0, ArrowDirection::Right), 2);   // the nearer of two
        QCOMPARE(BallInDirection(cells, 0, ArrowDirection::Left), 1);
        QCOMPARE(BallInDirection(cells, 0, ArrowDirection::Up), 5);      // past the empty cell
        QCOMPARE(BallInDirection(cells, 0, ArrowDirection::Down), -1);   // (4,3) is off the line
    }

    void keysAloneClearStage26()
    {
        PlayKit::SetRecord(26, QStringLiteral("1"), QStringLiteral("0"));
        GameTable* table = kit->Open(26);
        // The stage opens active, ball 0 ready for the keys but unmarked.
        QCOMPARE(kit->Workspace().activeSubWindow(), table->SubWindow());
        QTRY_COMPARE(Focused(), Ball(0));
        QVERIFY(!Ball(0)->ShowsFocusMark());
        for (std::size_t i = 0; i < ClearingOrder26.size(); ++i) {
            KeysTo(ClearingOrder26[i], i > 0);  // Tab to the first: ball 0 need not share its line
            Press(Qt::Key_Space);
            QCOMPARE(Focused()->Caption(), QString::number(i + 1));
            if (i == 0)
                table->Timer1_Timer();
        }
        QCOMPARE(kit->boxes.back().text, QStringLiteral("クリア"));
        // A screen reader hears what the status bar shows beside it.
        QCOMPARE(kit->boxes.back().spoken, QStringLiteral("クリア　1秒　1回目の挑戦"));
        QCOMPARE(PlayKit::Record(26), QStringList({"1", "1"}));
        // Tab wraps at both ends; an arrow with no ball that way stays, and
        // says so.
        KeysTo({0, 0}, false);  // from the last take, on past the last ball
        Press(Qt::Key_Up);
        QCOMPARE(LastAnnouncement(), QStringLiteral("この方向にボールはありません"));
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Focused(), Ball(table->PushCommandCount() - 1));
    }

    void refusedKeyPressChangesNothing()
    {
        GameTable* table = kit->Open(26);
        PlayKit::ClickCell({0, 0});
        PlayKit::ClickCell({0, 1});
        KeysTo({0, 3}, true);  // (0,2) lies between: not to be taken
        const auto state = [table] {
            QStringList seen{QString::number(DefModule::TakeCount),
                             QByteArray::fromRawData(reinterpret_cast<const char*>(DefModule::Board),
                                                     sizeof DefModule::Board).toHex()};
            for (int k = 0; k < table->PushCommandCount(); ++k)
                seen << Ball(k)->Caption();
            return seen;
        };
        const QStringList before = state();
        kit->sounds.clear();
        Press(Qt::Key_Return);
        Press(Qt::Key_Space);
        // A held Space presses once: its repeats are no presses at all.
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(Focused(), &held);
        QCOMPARE(state(), before);
        QCOMPARE(kit->sounds, std::vector<SoundCall>(2, SoundCall{"SoundPlay", 3, 0, {}}));
    }

    void markShowsAfterAKeyAndGoesWithAClick()
    {
        kit->Open(26);
        QTRY_COMPARE(Focused(), Ball(0));

        const QImage unmarked = Ball(1)->grab().toImage();
        Press(Qt::Key_Tab);
        QVERIFY(Ball(1)->ShowsFocusMark());
        const QPoint edge(3, Ball(1)->height() / 2);  // the mark runs just inside the outline
        QVERIFY(Ball(1)->grab().toImage().pixel(edge) != unmarked.pixel(edge));

        // A click hides the mark; the keys then go on from the clicked ball.
        PlayKit::Click(5);
        QCOMPARE(Ball(1)->grab().toImage(), unmarked);
        Press(Qt::Key_Tab);
        QVERIFY(Ball(6)->ShowsFocusMark());
    }

    void markShowsAsMuchOnTheDarkestBallAsOnTheLightest()
    {
        kit->Open(26);
        QTRY_COMPARE(Focused(), Ball(0));
        Press(Qt::Key_Tab);
        ShapedButton* ball = Ball(1);
        // Per ball picture: its mean lightness, and the pixels the mark turns far lighter or darker.
        std::vector<std::pair<double, int>> seen;
        for (int picture = 0; picture < PicForm::BallPictureCount; ++picture) {
            ball->SetPicture(PicForm::Ball(picture));
            QImage shown[2];
            for (bool marked : {false, true}) {
                ball->SetKeyboardFocusMark(marked);
                shown[marked] = ball->grab().toImage();
            }
            double lightness = 0;
            int changed = 0;
            const QRect box = ball->VisibleRegion().boundingRect();
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x) {
                    lightness += qGray(shown[0].pixel(x, y));
                    changed += std::abs(qGray(shown[1].pixel(x, y)) - qGray(shown[0].pixel(x, y))) > 100;
                }
            seen.emplace_back(lightness, changed);
        }
        std::sort(seen.begin(), seen.end());
        QVERIFY2(seen.front().second >= seen.back().second, qPrintable(QStringLiteral("darkest %1, lightest %2").arg(seen.front().second).arg(seen.back().second)));
    }

    void everyBallTellsItsPlaceAndTakeNumber()
    {
        GameTable* table = kit->Open(26);
        QAccessibleInterface* area = QAccessible::queryAccessibleInterface(table);
        QCOMPARE(area->text(QAccessible::Name), StageTable::Title(26));
        QCOMPARE(area->childCount(), table->PushCommandCount());
        for (int k = 0; k < area->childCount(); ++k) {
            const QPoint cell = CellOf(Ball(k));
            QCOMPARE(area->child(k)->role(), QAccessible::Button);
            QCOMPARE(area->child(k)->text(QAccessible::Name),
                     QStringLiteral("ボール %1行 %2列").arg(cell.y() + 1).arg(cell.x() + 1));
        }
        PlayKit::ClickCell({0, 3});
        QCOMPARE(QAccessible::queryAccessibleInterface(Ball(PlayKit::BallAt(0, 3)))->text(QAccessible::Name),
                 QStringLiteral("ボール 4行 1列 1番目に取得"));
    }
};

QTEST_MAIN(TestGameTableKeyboard)
#include "test_gametable_keyboard.moc"
