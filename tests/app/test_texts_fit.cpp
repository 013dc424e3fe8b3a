// SPDX-License-Identifier: GPL-3.0-or-later
// Every window shows whole on the screens players have, from a netbook's
// 1024 x 600 up, at every scale that leaves at least 960 x 540: inside the
// screen's free area, a sub-window inside its workspace without scroll bars,
// each control inside its parent or in a panel that scrolls. And
// every text shows whole, in both interfaces, with the fonts the game uses:
// every window and dialog the player meets is opened (with long names, large
// numbers and every verdict of the workshop), every message box the walk
// brings up is built as it would be shown, and each label, button, group
// title, placeholder, list entry and table cell is measured against the room
// its widget gives it (a wrapped label by its height). Texts the program
// shortens with "…" on purpose are whole in their tooltips and are not
// faults; a text cut by its widget, by a window's edge or by the splash's
// ellipse is.
#include "app/About.h"
#include "app/InterfaceLanguage.h"
#include "app/MainForm.h"
#include "app/Opening.h"
#include "play/StagePicture.h"
#include "play/test_gametable_kit.h"
#include "records/UserAdd.h"
#include "select/ClearedMark.h"
#include "select/GameSelect.h"
#include "rules/DailyFigure.h"
#include "select/DailyDateChooser.h"
#include "select/DailyNumbers.h"
#include "select/DailyPlay.h"
#include "select/DailyResult.h"
#include "select/RecordsOverview.h"
#include "shared/ScreenRoom.h"
#include "sound/SoundFailureMessage.h"
#include "workshop/StageWorkshop.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyleOption>
#include <QTableWidget>

namespace {

QApplication& App() { return *static_cast<QApplication*>(QCoreApplication::instance()); }

const QString LongCompany = QStringLiteral("Brenhavel Software Development Corporation International");
const QString LongName = QStringLiteral("Maximilian Alexander Featherstonehaugh-Smythe");

// The screens players have, and the scales their desktops set. Each screen
// is walked in a run of its own: the offscreen platform takes the screen
// and the scale as the program starts.
constexpr QSize ScreenSizes[] = {{1024, 600}, {1280, 720}, {1280, 800}, {1366, 768}, {1920, 1080}};
constexpr double Scales[] = {1, 1.25, 1.5, 2};
constexpr char OneScreen[] = "ZUMIRAK_FIT_SCREEN";

// Measures each visible text against its widget and notes what does not fit.
class FitCheck {
public:
    QStringList faults;

    void Window(QWidget& window, const QString& name)
    {
        root_ = &window;
        QCoreApplication::processEvents();  // as the window stands once shown
        Whole(window, name);
        QList<QWidget*> widgets = window.findChildren<QWidget*>();
        widgets.prepend(&window);
        for (QWidget* widget : widgets) {
            if (!widget->isVisibleTo(&window) && widget != &window)
                continue;
            const QString where = name + u'/' + QString::fromLatin1(widget->metaObject()->className());
            if (widget != &window && !widget->isWindow() && !widget->size().isEmpty() && !Scrolled(*widget->parentWidget()))
                Fits(where + QStringLiteral(" (past its parent)"), QString(), widget->parentWidget()->rect().contains(widget->geometry()));
            if (auto* label = qobject_cast<QLabel*>(widget))
                Label(*label, where);
            else if (auto* button = qobject_cast<QPushButton*>(widget))
                PushButton(*button, where);
            else if (auto* group = qobject_cast<QGroupBox*>(widget))
                Fits(where, group->title(), group->minimumSizeHint().width() <= group->width());
            else if (auto* edit = qobject_cast<QLineEdit*>(widget))
                Placeholder(*edit, where);
            else if (auto* choice = qobject_cast<QComboBox*>(widget))
                Choice(*choice, where);
            else if (auto* table = qobject_cast<QTableWidget*>(widget))
                Table(*table, where);
        }
    }

private:
    QWidget* root_ = nullptr;

    // A window inside the screen's free area; a sub-window whole in its
    // workspace, which shows no scroll bars.
    void Whole(QWidget& window, const QString& name)
    {
        if (window.isWindow())
            Fits(name + QStringLiteral(" (past the screen)"), QString(), ScreenRoom::Free(*window.screen()).contains(window.frameGeometry()));
        if (const auto* sub = qobject_cast<QMdiSubWindow*>(window.parentWidget())) {
            const QMdiArea* workspace = sub->mdiArea();
            const QRect at = sub->geometry();
            Fits(name + QStringLiteral(" (not whole in the workspace)"),
                 QStringLiteral("%1,%2 %3x%4 in %5x%6").arg(at.x()).arg(at.y()).arg(at.width()).arg(at.height())
                     .arg(workspace->viewport()->width()).arg(workspace->viewport()->height()),
                 workspace->viewport()->rect().contains(sub->geometry()) && !workspace->verticalScrollBar()->isVisible()
                     && !workspace->horizontalScrollBar()->isVisible());
        }
    }

    // Inside a scroll area other than the workspace: scrolled into sight.
    static bool Scrolled(const QWidget& parent)
    {
        const auto* area = qobject_cast<const QAbstractScrollArea*>(parent.parentWidget());
        return area && area->viewport() == &parent && !qobject_cast<const QMdiArea*>(area);
    }

    void Fits(const QString& where, const QString& text, bool fits)
    {
        if (!fits)
            faults << where + QStringLiteral(": ") + text;
    }

    // The text's room inside every widget around it, and inside the
    // window's shape where it has one.
    void Inside(QWidget& widget, const QRect& textRect, const QString& where, const QString& text)
    {
        QRect rect = textRect;
        // (A sub-window may stand partly outside its workspace, which scrolls.)
        for (QWidget* w = &widget; w && w != root_ && !w->isWindow() && !qobject_cast<QMdiSubWindow*>(w)
                                   && !Scrolled(*w->parentWidget());
             w = w->parentWidget()) {
            rect.translate(w->pos());
            if (!w->parentWidget()->rect().contains(rect))
                return Fits(where + QStringLiteral(" (past its window's edge)"), text, false);
        }
        const QRegion shape = widget.window()->mask();
        if (!shape.isEmpty() && shape.intersected(rect) != QRegion(rect))
            Fits(where + QStringLiteral(" (past the window's shape)"), text, false);
    }

    void Label(QLabel& label, const QString& where)
    {
        const QString text = label.text();
        if (text.isEmpty() || label.textFormat() == Qt::RichText)
            return;
        const QFontMetrics metrics = label.fontMetrics();
        const QRect room = label.contentsRect();
        if (label.wordWrap()) {
            Fits(where + QStringLiteral(" (wrapped)"), text, label.heightForWidth(label.width()) <= label.height());
            return;
        }
        const QStringList lines = text.split(u'\n');
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        const int indent = label.indent() > 0 ? label.indent() : 0;
        const int height = metrics.height() + (int(lines.size()) - 1) * metrics.lineSpacing();
        Fits(where, text, widest + indent <= room.width() && height <= room.height() + Slack(metrics));
        const QRect textRect = QStyle::alignedRect(label.layoutDirection(), label.alignment(),
                                                   QSize(widest + indent, std::min(height, room.height())), room);
        Inside(label, textRect, where, text);
    }

    // A label shorter than its font's line by the line's leading cuts
    // nothing; a pixel more cuts the foot of g, p and y.
    static int Slack(const QFontMetrics& metrics) { return metrics.height() - metrics.ascent() - metrics.descent(); }

    void PushButton(QPushButton& button, const QString& where)
    {
        const QString text = QString(button.text()).remove(u'&');
        if (text.isEmpty())
            return;
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        const QRect room = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
        Fits(where, text, button.fontMetrics().horizontalAdvance(text) <= room.width());
        Inside(button, button.rect(), where, text);
    }

    void Placeholder(QLineEdit& edit, const QString& where)
    {
        if (edit.placeholderText().isEmpty() || !edit.text().isEmpty())
            return;
        QStyleOptionFrame option;
        option.initFrom(&edit);
        const QRect room = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
        const int margins = edit.textMargins().left() + edit.textMargins().right() + 4;
        Fits(where + QStringLiteral(" placeholder"), edit.placeholderText(),
             edit.fontMetrics().horizontalAdvance(edit.placeholderText()) + margins <= room.width());
    }

    // A box that shortens its entries with "…" on purpose (a long title)
    // keeps them whole in their tooltips; any other shows each entry whole.
    void Choice(QComboBox& choice, const QString& where)
    {
        QStyleOptionComboBox option;
        option.initFrom(&choice);
        const QRect room = choice.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &choice);
        for (int i = 0; i < choice.count(); ++i) {
            const QString text = choice.itemText(i);
            const bool whole = choice.fontMetrics().horizontalAdvance(text) <= room.width();
            Fits(where + QStringLiteral(" entry"), text, whole || choice.itemData(i, Qt::ToolTipRole).toString() == text);
        }
    }

    void Table(QTableWidget& table, const QString& where)
    {
        QHeaderView* header = table.horizontalHeader();
        const int margin = 2 * (table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table) + 1);
        for (int column = 0; column < table.columnCount(); ++column) {
            const QString heading = table.horizontalHeaderItem(column)->text();
            Fits(where + QStringLiteral(" heading"), heading,
                 header->sectionSizeHint(column) <= header->sectionSize(column));
            // The stretching column of titles shortens them on purpose.
            if (header->sectionResizeMode(column) == QHeaderView::Stretch)
                continue;
            for (int row = 0; row < table.rowCount(); ++row) {
                const QString text = table.item(row, column)->text();
                Fits(where + QStringLiteral(" cell"), text,
                     table.fontMetrics().horizontalAdvance(text) + margin <= table.columnWidth(column));
            }
        }
    }
};

} // namespace

class TextsFitTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;

    static void UseLanguage(const QString& language)
    {
        InterfaceLanguage::Store(language);
        InterfaceLanguage::Install(App());
    }

    // Records with many attempts and long times, and long names.
    static void FillRecords()
    {
        for (int stage = 0; stage < 30; ++stage)
            PlayKit::SetRecord(stage, QStringLiteral("99999"), stage % 2 == 1 ? QStringLiteral("99999") : QStringLiteral("0"));
        RegUpRead::CompanyName = LongCompany;
        RegUpRead::UserName = LongName;
    }

    static void WaitForVerdict(StageWorkshop& workshop) { QTRY_VERIFY(!workshop.AwaitingVerdict()); }

private slots:
    void initTestCase()
    {
        kit = std::make_unique<PlayKit>();
        FillRecords();
    }
    void cleanupTestCase()
    {
        UseLanguage(InterfaceLanguage::Automatic);
        kit.reset();
    }

    void everyTextFits_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Japanese") << InterfaceLanguage::Japanese;
        QTest::newRow("English") << QStringLiteral("en");
    }
    void everyWindowWholeOnEveryScreen()
    {
        if (qEnvironmentVariableIsSet(OneScreen))
            QSKIP("walking one screen");
        QTemporaryDir folder;
        QStringList failed;
        for (const QSize size : ScreenSizes) {
            for (const double scale : Scales) {
                if (size.width() / scale < 960 || size.height() / scale < 540)
                    continue;
                QFile config(folder.filePath(QStringLiteral("%1x%2.json").arg(size.width()).arg(size.height())));
                QVERIFY(config.open(QIODevice::WriteOnly));
                config.write(QStringLiteral(R"({"screens": [{"name": "s", "x": 0, "y": 0, "width": %1, "height": %2, )"
                                            R"("logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                                 .arg(size.width()).arg(size.height()).toUtf8());
                config.close();
                const QString screen = QStringLiteral("%1x%2 at %3").arg(size.width()).arg(size.height()).arg(scale);
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config.fileName());
                environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
                environment.insert(QLatin1String(OneScreen), screen);
                QProcess walk;
                walk.setProcessEnvironment(environment);
                walk.setProcessChannelMode(QProcess::MergedChannels);
                walk.start(QCoreApplication::applicationFilePath(), {QStringLiteral("everyTextFits")});
                if (!walk.waitForFinished(-1) || walk.exitStatus() != QProcess::NormalExit || walk.exitCode() != 0)
                    failed << screen + QStringLiteral(":\n") + QString::fromLocal8Bit(walk.readAll());
            }
        }
        for (const QString& screen : failed)
            qWarning().noquote() << screen;
        QVERIFY2(failed.isEmpty(), "not whole on the screens above");
    }

    void everyTextFits()
    {
        if (!qEnvironmentVariableIsSet(OneScreen))
            QSKIP("walked on each screen by everyWindowWholeOnEveryScreen");
        const UnexpectedBoxes::Expected boxesLookedAt;  // every box is opened here on purpose
        QFETCH(QString, language);
        UseLanguage(language);
        QCOMPARE(InterfaceLanguage::Current(), language);
        FitCheck check;

        // The first-run window and the splash, with long names.
        {
            UserAdd first;
            first.show();
            check.Window(first, QStringLiteral("UserAdd"));
            auto* splash = new Opening;
            splash->show();
            check.Window(*splash, QStringLiteral("Opening"));
            // A long name is shortened, never set smaller than its caption.
            for (const QLabel* name : {splash->U_Name, splash->F_Name})
                QCOMPARE(name->font().pointSizeF(), splash->Label1[0]->font().pointSizeF());
            delete splash;
        }

        auto main = std::make_unique<MainForm>();
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->show();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        kit->boxes.clear();
        check.Window(*main, QStringLiteral("MainForm"));
        // The stage of the day on the whole board.
        const QPoint beside(main->SelectionSubWindow()->geometry().right() + 1, 0);
        GameTable* daily = OpenDailyStage(QDate(2026, 12, 13), {main->Workspace(), beside, main->StatusBar1, main.get()}, main.get());
        main->MakeRoomFor(*daily->SubWindow());
        check.Window(*daily, QStringLiteral("GameTable 2026-12-13"));
        const Rules::Cell first = Rules::DailyFigure(QDate(2026, 12, 13)).order.front();
        PlayKit::ClickCell(QPoint(first.column, first.row));  // a ball drawn smaller is clicked where it shows
        QCOMPARE(daily->PushCommand(PlayKit::BallAt(first.column, first.row))->Caption(), QStringLiteral("1"));
        PlayKit::CloseTable();

        // A stage in play with a long attempt count and time in the panels.
        main->Selection()->HScroll1->setValue(26);
        main->mnu_Start_Click();
        QVERIFY(GameTable::Instance());
        check.Window(*GameTable::Instance(), QStringLiteral("GameTable 26"));
        PlayKit::ClickCell(ClearingOrder26[0]);  // the clock runs: closing it costs an attempt
        // The overview, the about box and the workshop beside it.
        main->mnu_RecordList->trigger();
        main->mnu_About->trigger();
        main->mnu_StageMake->trigger();
        StageWorkshop* workshop = StageWorkshop::Instance();
        QVERIFY(workshop && RecordsOverview::Instance() && About::Instance());

        // Every verdict the workshop can show, in its line.
        for (const QString& verdict : StageWorkshop::EveryVerdictText()) {
            workshop->VerdictLine->setText(verdict);
            check.Window(*workshop, QStringLiteral("StageWorkshop"));
        }
        // Results: a figure made up, copied, saved (after trying it with a
        // stage in play, which asks first).
        workshop->GenerateBalls->setValue(12);
        workshop->GenerateFigure();
        WaitForVerdict(*workshop);
        workshop->CopyCode();
        check.Window(*workshop, QStringLiteral("StageWorkshop"));
        workshop->TryOut();
        main->mnu_StageMake->trigger();
        // The largest figure a player can draw: from corner to corner.
        workshop->ChangeFigure(Rules::Figure({{0, 0}, {0, 14}, {14, 14}, {14, 0}}));
        workshop->TryOut();
        check.Window(*GameTable::Instance(), QStringLiteral("GameTable largest"));
        main->mnu_StageMake->trigger();
        workshop->Undo();
        workshop->TitleBox->setText(QString(32, u'W'));
        WaitForVerdict(*workshop);
        workshop->Save();
        QTRY_VERIFY(!workshop->ResultLine->text().isEmpty());
        check.Window(*workshop, QStringLiteral("StageWorkshop"));
        workshop->DeleteChosenStage();

        check.Window(*main, QStringLiteral("MainForm"));
        check.Window(*RecordsOverview::Instance(), QStringLiteral("RecordsOverview"));
        check.Window(*About::Instance(), QStringLiteral("About"));

        // The stage of the day's result, its numbers and chart, and the
        // calendar to choose a day in (a box of its own, checked while open).
        auto* result = new DailyResult(DailyStageOf(QDate(2026, 12, 13)), main.get());  // gone when closed
        result->show();
        check.Window(*result, QStringLiteral("DailyResult"));
        result->close();
        DailyNumbers* numbers = DailyNumbers::Open(main.get());
        check.Window(*numbers, QStringLiteral("DailyNumbers"));
        numbers->close();
        QTimer::singleShot(0, this, [&check] {
            QWidget* chooser = QApplication::activeModalWidget();
            QVERIFY(chooser);
            check.Window(*chooser, QStringLiteral("DailyDateChooser"));
            chooser->close();
        });
        ChooseDailyDate(main.get());

        // The boxes of the walk, and those of the menus.
        main->mnu_Del->trigger();
        ShowSoundFailureMessage(main.get());
        QVERIFY(kit->boxes.size() >= 4);
        for (const MsgBoxShown& shown : kit->boxes) {
            QMessageBox box;
            FillMsgBox(box, shown, main.get());
            box.show();
            check.Window(box, QStringLiteral("message box"));
        }

        PlayKit::CloseTable();
        main->close();
        main.reset();
        FillRecords();  // the records the box deleted
        for (const QString& fault : check.faults)
            qWarning().noquote() << qEnvironmentVariable(OneScreen) << fault;
        QVERIFY2(check.faults.isEmpty(), "texts that do not fit, above");
    }

    // The number and title at the picture's foot and the cleared mark sit in
    // the bands the picture keeps free of the figure.
    void captionAndMarkStayInThePicturesBands()
    {
        MainForm main;
        GameSelect* select = main.Selection();
        const QRect caption = select->Caption->geometry();
        const QRect mark = select->Mark->geometry();
        QVERIFY(caption.top() >= StagePictureSize - StagePictureBand && caption.bottom() < StagePictureSize);
        QVERIFY(mark.top() >= 0 && mark.bottom() < StagePictureBand);
    }
};

QTEST_MAIN(TextsFitTest)
#include "test_texts_fit.moc"
