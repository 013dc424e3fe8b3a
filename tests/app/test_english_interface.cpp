// SPDX-License-Identifier: GPL-3.0-or-later
// The English interface. A player on a Japanese (here: C locale) desktop
// chooses English in the Options menu; at the next start the menus speak
// English. Then every window, menu, status panel, message box and
// accessible name of that English interface is walked: no Japanese
// character may be left but in the language menu's own bilingual names.
// And each translation file: every text finished, with the placeholders of
// its source.
#include "app/About.h"
#include "app/InterfaceLanguage.h"
#include "app/MainForm.h"
#include "app/Opening.h"
#include "play/test_gametable_kit.h"
#include "records/UserAdd.h"
#include "select/GameSelect.h"
#include "select/RecordsOverview.h"
#include "sound/SoundFailureMessage.h"
#include "workshop/StageWorkshop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableWidget>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

bool IsJapanese(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF);
}

// Collects every text that is still Japanese, with where it was found.
class JapaneseFinder {
public:
    QStringList found;

    void Text(const QString& where, const QString& text)
    {
        // (A menu item's tip is its caption without the mnemonic's &.)
        const QString plain = QString(text).remove(u'&');
        const bool bilingual = plain == QString(InterfaceLanguage::MenuCaption()).remove(u'&')
                               || plain == InterfaceLanguage::NextStartNote()
                               || plain == InterfaceLanguage::NativeName(InterfaceLanguage::Japanese);
        if (!bilingual && std::any_of(text.begin(), text.end(), IsJapanese))
            found << where + QStringLiteral(": ") + text;
    }

    void Actions(const QList<QAction*>& actions, const QString& where)
    {
        for (const QAction* action : actions) {
            Text(where + QStringLiteral(" menu"), action->text());
            Text(where + QStringLiteral(" menu tip"), action->toolTip());
            if (const QMenu* menu = action->menu())
                Actions(menu->actions(), where + u'>' + action->text());
        }
    }

    void Window(QWidget& window)
    {
        QList<QWidget*> widgets = window.findChildren<QWidget*>();
        widgets.prepend(&window);
        for (QWidget* widget : widgets) {
            const QString where = QString::fromLatin1(widget->metaObject()->className());
            Text(where + QStringLiteral(" title"), widget->windowTitle());
            Text(where + QStringLiteral(" accessible name"), widget->accessibleName());
            Text(where + QStringLiteral(" accessible description"), widget->accessibleDescription());
            Text(where + QStringLiteral(" tool tip"), widget->toolTip());
            Actions(widget->actions(), where);
            if (auto* label = qobject_cast<QLabel*>(widget))
                Text(where, label->text());
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                Text(where, button->text());
            if (auto* group = qobject_cast<QGroupBox*>(widget))
                Text(where, group->title());
            if (auto* edit = qobject_cast<QLineEdit*>(widget))
                Text(where + QStringLiteral(" placeholder"), edit->placeholderText());
            if (auto* choice = qobject_cast<QComboBox*>(widget)) {
                for (int i = 0; i < choice->count(); ++i)
                    Text(where + QStringLiteral(" item"), choice->itemText(i));
            }
            if (auto* table = qobject_cast<QTableWidget*>(widget))
                Table(*table, where);
        }
    }

    void Table(const QTableWidget& table, const QString& where)
    {
        for (int column = 0; column < table.columnCount(); ++column)
            Text(where + QStringLiteral(" heading"), table.horizontalHeaderItem(column)->text());
        for (int row = 0; row < table.rowCount(); ++row) {
            for (int column = 0; column < table.columnCount(); ++column) {
                const QTableWidgetItem* item = table.item(row, column);
                Text(where + QStringLiteral(" cell"), item->text());
                Text(where + QStringLiteral(" spoken cell"), item->data(Qt::AccessibleTextRole).toString());
            }
        }
    }
};

QApplication& App() { return *static_cast<QApplication*>(QCoreApplication::instance()); }

QStringList Placeholders(const QString& text)
{
    QStringList marks;
    for (const QRegularExpressionMatch& match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        marks << match.captured();
    marks.removeDuplicates();  // a text with plural forms holds each once per form
    marks.sort();
    return marks;
}

} // namespace

class EnglishInterfaceTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;  // a registered player's store; message boxes recorded

private slots:
    void initTestCase()
    {
        kit = std::make_unique<PlayKit>();
        // Names the player typed stay as typed: plain ones here, so that any
        // Japanese found is the program's own.
        RegUpRead::RegSetString(RegUpRead::HKEY_CURRENT_USER, RegUpRead::ProgramKey, QStringLiteral("F_Name"),
                                QStringLiteral("Brenhavel Ltd"), true);
        RegUpRead::RegSetString(RegUpRead::HKEY_CURRENT_USER, RegUpRead::ProgramKey, QStringLiteral("U_Name"),
                                QStringLiteral("Kim"), true);
        RegUpRead::RegReadUser();
    }
    void cleanupTestCase()
    {
        InterfaceLanguage::Store(InterfaceLanguage::Automatic);
        InterfaceLanguage::Install(App());
        kit.reset();
    }

    void menuChoiceSpeaksEnglishAtTheNextStart()
    {
        InterfaceLanguage::Install(App());
        QCOMPARE(InterfaceLanguage::Current(), InterfaceLanguage::Japanese);
        {
            MainForm japanese;
            QMenu* languages = japanese.mnu_Language->menu();
            QVERIFY(languages);
            const QList<QAction*> items = languages->actions();
            const auto english = std::find_if(items.begin(), items.end(),
                                              [](const QAction* item) { return item->text() == u"English"; });
            QVERIFY(english != items.end());
            (*english)->trigger();
            QVERIFY((*english)->isChecked());
            // This run stays Japanese, and the menu says so in both languages.
            QCOMPARE(japanese.menuBar()->actions().first()->text(), QStringLiteral("ｽﾀｰﾄ"));
            QCOMPARE(items.last()->text(), InterfaceLanguage::NextStartNote());
        }

        InterfaceLanguage::Install(App());  // the next start
        QCOMPARE(InterfaceLanguage::Current(), QStringLiteral("en"));
        MainForm english;
        QStringList captions;
        for (const QAction* menu : english.menuBar()->actions())
            captions << menu->text();
        QCOMPARE(captions, (QStringList{"&Start", "&Daily", "&Options", "&Help"}));
        QCOMPARE(english.StatusBar1->Panels(2)->text(), QStringLiteral("Attempt 1"));
    }

    void noJapaneseLeftInEnglish()
    {
        QCOMPARE(InterfaceLanguage::Current(), QStringLiteral("en"));
        JapaneseFinder finder;
        auto main = std::make_unique<MainForm>();
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->show();
        finder.Actions(main->menuBar()->actions(), QStringLiteral("menu bar"));

        // A stage in play, one ball taken, one refused.
        main->Selection()->HScroll1->setValue(26);
        main->mnu_Start_Click();
        QVERIFY(GameTable::Instance());
        PlayKit::ClickCell(ClearingOrder26[0]);
        PlayKit::ClickCell(ClearingOrder26[2]);
        // The overview, the workshop and the about box beside it.
        main->mnu_RecordList->trigger();
        main->mnu_StageMake->trigger();
        main->mnu_About->trigger();
        finder.Window(*main);
        for (QWidget* window : {static_cast<QWidget*>(RecordsOverview::Instance()),
                                static_cast<QWidget*>(About::Instance())}) {
            QVERIFY(window);
            finder.Window(*window);
        }
        QVERIFY(StageWorkshop::Instance());

        // The windows of the start.
        for (QWidget* window : {static_cast<QWidget*>(new Opening), static_cast<QWidget*>(new UserAdd)}) {
            finder.Window(*window);
            delete window;
        }

        // Message boxes.
        kit->boxes.clear();
        main->mnu_Del->trigger();
        ShowSoundFailureMessage(main.get());
        for (int stage = 0; stage < 30; ++stage) {
            PlayKit::CloseTable();
            main->Selection()->HScroll1->setValue(stage);
            main->mnu_Start_Click();
            QVERIFY(GameTable::Instance());
            finder.Window(*GameTable::Instance());  // its title, its balls' names
            // Clearing stage 26 shows its box.
            if (stage == 26) {
                for (const QPoint cell : ClearingOrder26)
                    PlayKit::ClickCell(cell);
            }
        }
        QVERIFY(kit->boxes.size() >= 3);
        for (const MsgBoxShown& box : kit->boxes) {
            finder.Text(QStringLiteral("message box"), box.text);
            finder.Text(QStringLiteral("message box title"), box.title);
        }

        PlayKit::CloseTable();
        main->close();
        main.reset();
        QVERIFY2(finder.found.isEmpty(), qPrintable(finder.found.join(u'\n')));
    }

    void everyTextTranslated_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString& file : QStringLiteral(ZUMIRAK_TS_FILES).split(u'|'))
            QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
    }
    void everyTextTranslated()
    {
        QFETCH(QString, file);
        QFile ts(file);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&ts);
        QString source;
        QStringList faults;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"source") {
                source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == u"translation") {
                ++messages;
                const QString type = xml.attributes().value(QStringLiteral("type")).toString();
                const QString translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (!type.isEmpty() || translation.isEmpty())
                    faults << QStringLiteral("not finished: ") + source;
                else if (Placeholders(source) != Placeholders(translation))
                    faults << QStringLiteral("placeholders differ: ") + source + QStringLiteral(" / ") + translation;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > 100);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }
};

QTEST_MAIN(EnglishInterfaceTest)
#include "test_english_interface.moc"
