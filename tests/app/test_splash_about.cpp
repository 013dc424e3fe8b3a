// SPDX-License-Identifier: GPL-3.0-or-later
// The splash, the about window and the help command: the splash's elliptic
// shape, place, texts and single tick; one about window however often it is
// opened, closed by its button and by the end of the program; and which file
// the help command opens.
#include "app/About.h"
#include "app/MainForm.h"
#include "app/Opening.h"
#include "records/FreshStore.h"
#include "records/RegUpRead.h"
#include "records/WindowWatch.h"
#include "shared/AppPath.h"
#include "shared/JapaneseFont.h"
#include "shared/MsgBox.h"
#include "shared/ProgramPictures.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QtTest>

using namespace RegUpRead;

// Receives what the help command hands to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class SplashAboutTest : public QObject {
    Q_OBJECT

    FreshStore store_;
    UrlCatcher catcher_;

    // Centred on its screen, to within the few pixels a window frame adds.
    static bool Centred(const QWidget& window)
    {
        const QPoint offset = window.frameGeometry().center() - window.screen()->geometry().center();
        return offset.manhattanLength() <= 4;
    }

    // The file the help command opens with the program in `folder`.
    QString HelpOpened(const QString& folder)
    {
        SetAppPathForTesting(folder);
        MainForm form;
        catcher_.opened.clear();
        form.mnu_MainHelp->trigger();
        SetAppPathForTesting(QString());
        if (catcher_.opened.size() != 1)
            return QStringLiteral("opened %1 files").arg(catcher_.opened.size());
        return catcher_.opened.first().toLocalFile();
    }

    static void WriteFile(const QString& path, const QByteArray& contents = "x")
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

private slots:
    void initTestCase()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher_, "open");
        UserName = QStringLiteral("利用者");
        CompanyName = QString(QChar(0x3000));
    }

    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    void splashIsAnEllipseCentredWithNamesAndVersion()
    {
        Opening splash;
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash.size(), QSize(450, 299));
        // The ellipse inscribed in 450 x 299: corners cut off, the middle and
        // the middle of each edge kept.
        const QRegion shape = splash.mask();
        QCOMPARE(shape.boundingRect(), QRect(0, 0, 450, 299));
        QVERIFY(!shape.contains(QPoint(2, 2)));
        QVERIFY(!shape.contains(QPoint(446, 295)));
        QVERIFY(shape.contains(QPoint(225, 150)));
        QVERIFY(shape.contains(QPoint(3, 150)));
        QVERIFY(shape.contains(QPoint(225, 2)));
        // Drawn as the ellipse on a see-through window, so no compositor shows a rectangle.
        QVERIFY(splash.testAttribute(Qt::WA_TranslucentBackground));
        const QImage drawn = splash.grab().toImage();
        QCOMPARE(qAlpha(drawn.pixel(2, 2)), 0);
        QCOMPARE(qAlpha(drawn.pixel(225, 150)), 255);

        QVERIFY(Centred(splash));

        QCOMPARE(splash.U_Name->text(), QStringLiteral("利用者"));
        QCOMPARE(splash.F_Name->text(), QString(QChar(0x3000)));
        QCOMPARE(splash.Label1[2]->text(), QStringLiteral("Ver1.0.01"));

        QVERIFY(splash.Timer1->isActive());
        QVERIFY(splash.Timer1->isSingleShot());
        QCOMPARE(splash.Timer1->interval(), 2500);
    }

    void titlePictureAndGothicAreTheOnesBuiltAndInstalled()
    {
        // The picture drawn at build time is compiled in, not blank.
        const QImage title = TitlePicture().toImage();
        QCOMPARE(title.size(), QSize(450, 300));
        QVERIFY(title.pixel(10, 10) != title.pixel(440, 290));
        QVERIFY(!ProgramIcon().isNull());

        // The labels ask for an installed family by name, so the font they
        // get is the one asked for, never a substitute found by searching.
        const QString family = InstalledGothicFamily();
        if (family.isEmpty())
            QSKIP("no Japanese font installed");
        QVERIFY(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese));
        Opening splash;
        const QFontInfo used(splash.U_Name->font());
        QCOMPARE(used.family(), family);
        QVERIFY(used.bold());
    }

    void ellipseFollowsThePixelDensity()
    {
        // The size in pixels drops the remainder of twips / twips per pixel.
        QCOMPARE(Opening::EllipseBounds(6750, 4485, 12, 12), QRect(0, 0, 562, 373));
        QCOMPARE(Opening::EllipseBounds(6750, 4485, 20, 20), QRect(0, 0, 337, 224));
    }

    void splashTicksOnceIntoTheMainWindow()
    {
        // Its 2500 ms, measured from before its clock starts: a busy machine
        // may wake this thread late, never early.
        QElapsedTimer shown;
        shown.start();
        auto* splash = new Opening;
        splash->show();
        QPointer<Opening> alive(splash);
        WindowWatch watch(splash);
        QTRY_VERIFY_WITH_TIMEOUT(MainForm::Instance() != nullptr, 10000);
        QVERIFY(shown.elapsed() >= 2500);
        QVERIFY(watch.othersOpenAtClose);
        QTRY_VERIFY(!alive);  // the splash is gone for good
        MainForm* form = MainForm::Instance();
        QVERIFY(form->isVisible());
        // No second tick, no second main window.
        QTest::qWait(2700);
        QCOMPARE(MainForm::Instance(), form);
        int mainWindows = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            mainWindows += qobject_cast<MainForm*>(window) != nullptr;
        QCOMPARE(mainWindows, 1);
        form->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void aboutWindowIsSingleNotModalAndRefilled()
    {
        About* about = About::LoadAndShow();
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QString::fromUtf16(u"ズミラク\u3000About"));
        QCOMPARE(about->size(), QSize(445, 349));
        QCOMPARE(about->parentWidget(), nullptr);
        QVERIFY(!about->isModal());
        QVERIFY(!(about->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(Centred(*about));
        QCOMPARE(about->U_Name->text(), QStringLiteral("利用者"));

        // Its button has the focus and closes it.
        QApplication::setActiveWindow(about);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(QApplication::focusWidget(), about->Command1);

        QCOMPARE(About::LoadAndShow(), about);
        int abouts = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            abouts += qobject_cast<About*>(window) != nullptr;
        QCOMPARE(abouts, 1);

        QPointer<About> alive(about);
        QTest::mouseClick(about->Command1, Qt::LeftButton);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!alive);
        QCOMPARE(About::Instance(), nullptr);

        // Opened again, it shows the names as they are now.
        UserName = QStringLiteral("別の人");
        About* again = About::LoadAndShow();
        QCOMPARE(again->U_Name->text(), QStringLiteral("別の人"));
        again->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        UserName = QStringLiteral("利用者");
    }

    void closingTheMainWindowClosesTheAboutWindowToo()
    {
        auto* form = new MainForm;
        form->show();
        form->mnu_About->trigger();
        QPointer<About> about(About::Instance());
        QVERIFY(about && about->isVisible());
        form->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!about);
        QVERIFY(!WindowWatch::AnyWindowOpen());
    }

    void helpOpensThePageOnlyWhenItIsNamedExactly()
    {
        QTemporaryDir exact;
        WriteFile(exact.filePath(QStringLiteral("Help/Help.htm")));
        QCOMPARE(HelpOpened(exact.path()), exact.filePath(QStringLiteral("Help/Help.htm")));

        QTemporaryDir otherCase;
        WriteFile(otherCase.filePath(QStringLiteral("Help/HELP.HTM")));
        WriteFile(otherCase.filePath(QStringLiteral("Readme.txt")));
        QCOMPARE(HelpOpened(otherCase.path()), otherCase.filePath(QStringLiteral("Readme.txt")));

        // Without the help folder the read-me is opened, whether it is there or not.
        QTemporaryDir bare;
        QCOMPARE(HelpOpened(bare.path()), bare.filePath(QStringLiteral("Readme.txt")));
    }

    void helpWithNothingToOpenItNamesTheFile()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QTemporaryDir noPrograms;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", noPrograms.path().toLocal8Bit());
        QList<MsgBoxShown> boxes;
        SetMsgBoxResponderForTesting([&](const MsgBoxShown& box) {
            boxes << box;
            return QMessageBox::Ok;
        });
        const QString folder = QCoreApplication::applicationDirPath();
        HelpOpened(folder);
        SetMsgBoxResponderForTesting({});
        qputenv("PATH", path);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher_, "open");
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].text.contains(folder + QStringLiteral("/Help/Help.htm")), qPrintable(boxes[0].text));
        QCOMPARE(boxes[0].title, QStringLiteral("ズミラク"));
    }

    // Each name whole in its label, inside the ellipse or short of the button; one
    // too long for any size is cut with an ellipsis and whole in its tooltip.
    void longNamesFitOrShrink_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fitsTheSplash");
        QTest::newRow("twelve letters") << QStringLiteral("Debian Games") << true;
        QTest::newRow("eleven wide") << QStringLiteral("ブレンハーベル株式会社") << false;
        QTest::newRow("too long for any size") << QString(60, QChar(0x7530)) << false;
    }
    void longNamesFitOrShrink()
    {
        QFETCH(QString, name);
        CompanyName = UserName = name;
        const auto whole = [&](const QLabel* label, int limit) {
            const bool shown = label->text() == name || (label->text().endsWith(QChar(0x2026)) && label->toolTip() == name);
            return shown && label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width()
                   && label->geometry().right() <= limit;
        };
        Opening splash;
        // On the splash a name runs to the ellipse's edge, no farther.
        const auto inEllipse = [&](const QLabel* label) {
            return whole(label, splash.width()) && splash.mask().intersected(label->geometry()) == QRegion(label->geometry());
        };
        QVERIFY(inEllipse(splash.F_Name) && inEllipse(splash.U_Name));
        QFETCH(bool, fitsTheSplash);
        if (fitsTheSplash)  // shortened only where the ellipse leaves no room
            QCOMPARE(splash.U_Name->text(), name);
        About* about = About::LoadAndShow();
        const int button = about->Command1->x();
        QVERIFY(whole(about->F_Name, button) && whole(about->U_Name, button));
        about->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        UserName = QStringLiteral("利用者");
        CompanyName = QString(QChar(0x3000));
    }

    void theShippedHelpAndReadMeAreInPlace()
    {
        const QString folder = QCoreApplication::applicationDirPath();
        QCOMPARE(HelpOpened(folder), folder + QStringLiteral("/Help/Help.htm"));
        for (const QString& name : {QStringLiteral("Help/Help.htm"), QStringLiteral("Readme.txt")}) {
            QFile file(folder + u'/' + name);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
            const QString text = QString::fromUtf8(file.readAll());
            QVERIFY(text.contains(QStringLiteral("ズミラク")));
            QVERIFY(text.contains(QStringLiteral("記録の削除")));
        }
    }
};

QTEST_MAIN(SplashAboutTest)
#include "test_splash_about.moc"
