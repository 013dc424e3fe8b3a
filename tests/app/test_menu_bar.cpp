// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menu bar and status bar as the player first sees them:
// every caption character for character, the order, the separators, the
// shortcuts and the check marks; the three panels' texts, tooltips and
// widths; and its icon, the desktop entry's.
#include "app/MainForm.h"
#include "select/RecordsOverview.h"
#include "shared/Twips.h"
#include "shared/UnexpectedBoxes.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

enum class Mark { None, Unchecked, Checked };

struct MenuRow {
    int depth;  // 0 on the bar, 1 in a menu, 2 in a submenu
    const char16_t* caption;  // u"-" for a separator
    QKeySequence shortcut;
    Mark mark;
};

const MenuRow menuBar[] = {
    {0, u"ｽﾀｰﾄ", {}, Mark::None},
    {0, u"日替わり", {}, Mark::None},
    {1, u"今日のステージ", QKeySequence(Qt::CTRL | Qt::Key_D), Mark::None},
    {1, u"日付を選んで遊ぶ...", {}, Mark::None},
    {0, u"ｵﾌﾟｼｮﾝ", {}, Mark::None},
    {1, u"壁紙の設定", QKeySequence(Qt::CTRL | Qt::Key_B), Mark::None},
    {1, u"-", {}, Mark::None},
    {1, u"ｻｳﾝﾄﾞの有無", QKeySequence(Qt::CTRL | Qt::Key_S), Mark::Checked},
    {1, u"ｻｳﾝﾄﾞの設定", {}, Mark::None},
    {2, u"ボール選択音", {}, Mark::None},
    {2, u"選択できない時の音", {}, Mark::None},
    {2, u"面ｸﾘｱ時の音", {}, Mark::None},
    {2, u"ﾊﾞｯｸﾐｭｰｼﾞｯｸ", {}, Mark::None},
    {1, u"-", {}, Mark::None},
    {1, u"ボールの形設定", {}, Mark::None},
    {2, u"まる", {}, Mark::Checked},
    {2, u"ダイヤ", {}, Mark::Unchecked},
    {2, u"三角", {}, Mark::Unchecked},
    {2, u"アメフト", {}, Mark::Unchecked},
    {1, u"-", {}, Mark::None},
    {1, u"記録の削除", {}, Mark::None},
    {1, u"記録一覧", {}, Mark::None},
    {1, u"ステージ作成", {}, Mark::None},
    {1, u"-", {}, Mark::None},
    {1, u"言語 (&Language)", {}, Mark::None},
    {2, u"日本語", {}, Mark::Unchecked},
    {2, u"English", {}, Mark::Unchecked},
    {2, u"自動", {}, Mark::Checked},
    {2, u"-", {}, Mark::None},
    {2, u"次回の起動から (from the next start)", {}, Mark::None},
    {0, u"ﾍﾙﾌﾟ", {}, Mark::None},
    {1, u"ズミラク ﾍﾙﾌﾟ", QKeySequence(Qt::Key_F1), Mark::None},
    {1, u"-", {}, Mark::None},
    {1, u"ズミラク About", QKeySequence(Qt::CTRL | Qt::Key_A), Mark::None},
};

struct PanelRow {
    const char16_t* text;
    const char16_t* toolTip;
    int widthTwips;
};

const PanelRow panels[] = {
    {u"0秒", u"現在のゲームで何秒かかっているか", 1000},
    {u"1回目の挑戦", u"今回で何回目の挑戦か", 1300},
    {u"達成記録 0秒", u"過去に成功した最短時間", 1440},
};

// One line per item, readable when a comparison fails.
QString Line(int depth, const QString& caption, const QKeySequence& shortcut, Mark mark)
{
    static const char* const marks[] = {"", "[ ]", "[x]"};
    return QString(depth * 2, u' ') + caption + u'|' + shortcut.toString(QKeySequence::PortableText) + u'|'
           + QLatin1String(marks[static_cast<int>(mark)]);
}

void Walk(const QList<QAction*>& actions, int depth, QStringList& lines)
{
    for (const QAction* action : actions) {
        const Mark mark = !action->isCheckable() ? Mark::None : action->isChecked() ? Mark::Checked : Mark::Unchecked;
        lines << Line(depth, action->isSeparator() ? QStringLiteral("-") : action->text(), action->shortcut(), mark);
        if (const QMenu* menu = action->menu())
            Walk(menu->actions(), depth + 1, lines);
    }
}

} // namespace

class MenuBarTest : public QObject {
    Q_OBJECT

    UnexpectedBoxes unexpectedBoxes_;

    QTemporaryDir config_;
    std::unique_ptr<MainForm> form_;

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        form_ = std::make_unique<MainForm>();
        form_->setAttribute(Qt::WA_DeleteOnClose, false);
        form_->show();
    }
    void cleanupTestCase() { form_.reset(); }

    void menuBarAsDesigned()
    {
        QStringList expected;
        for (const MenuRow& row : menuBar)
            expected << Line(row.depth, QString::fromUtf16(row.caption), row.shortcut, row.mark);
        QStringList actual;
        Walk(form_->menuBar()->actions(), 0, actual);
        QCOMPARE(actual, expected);
    }

    void statusBarPanelsAsDesigned()
    {
        const QList<QLabel*> shown = form_->StatusBar1->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(shown.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const QLabel* panel = form_->StatusBar1->Panels(i + 1);
            QCOMPARE(panel->text(), QString::fromUtf16(panels[i].text));
            QCOMPARE(panel->toolTip(), QString::fromUtf16(panels[i].toolTip));
            QCOMPARE(panel->width(), Twips::ToPixels(panels[i].widthTwips));
            // Left to right in this order.
            if (i > 0)
                QVERIFY(panel->x() > form_->StatusBar1->Panels(i)->x());
        }
    }

    void windowIconIsTheDesktopIcon()
    {
        const QIcon icon = form_->windowIcon();
        QCOMPARE(icon.availableSizes().size(), 7);
        const QImage desktop(QStringLiteral(DESKTOP_ICON_48));
        QVERIFY(!desktop.isNull());
        QCOMPARE(icon.pixmap(QSize(48, 48)).toImage().convertToFormat(desktop.format()), desktop);
    }

    // Last: it closes the main window.
    void recordListOpensOneWindowThatClosesWithTheMainWindow()
    {
        form_->mnu_RecordList->trigger();
        RecordsOverview* overview = RecordsOverview::Instance();
        QVERIFY(overview);
        QCOMPARE(overview->windowTitle(), QStringLiteral("記録一覧"));
        QVERIFY(!overview->isModal());
        form_->mnu_RecordList->trigger();
        QCOMPARE(RecordsOverview::Instance(), overview);
        QTest::mouseClick(overview->Command1, Qt::LeftButton);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!RecordsOverview::Instance());

        form_->mnu_RecordList->trigger();
        QVERIFY(RecordsOverview::Instance());
        form_->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!RecordsOverview::Instance());
    }
};

QTEST_MAIN(MenuBarTest)
#include "test_menu_bar.moc"
