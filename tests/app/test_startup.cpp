// SPDX-License-Identifier: GPL-3.0-or-later
// The start of the program as a player meets it: a first run goes to the
// new-user window, later runs to the splash and 2500 ms later to the main
// window; a second running copy is refused without touching the records,
// and a lock left by a crashed copy does not block the next start.
#include "app/InstanceLock.h"
#include "app/MainForm.h"
#include "app/Opening.h"
#include "app/StageFileHandover.h"
#include "app/StartUp.h"
#include "records/FreshStore.h"
#include "records/RegUpRead.h"
#include "records/UserAdd.h"
#include "records/WindowWatch.h"
#include "shared/MsgBox.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <thread>

#include <sys/stat.h>

using namespace RegUpRead;

namespace {

const char* const HoldLockFlag = "--hold-instance-lock";

// A copy of the program that takes the lock and then stays until killed.
int HoldLock()
{
    InstanceLock lock;
    if (!lock.TryLock())
        return 1;
    std::printf("locked\n");
    std::fflush(stdout);
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

QString LoadDate()
{
    return KeyStore::ReadValue(HKEY_CURRENT_USER, ProgramKey, QStringLiteral("LoadDate"));
}

} // namespace

class StartUpTest : public QObject {
    Q_OBJECT

    QList<MsgBoxShown> boxes_;

    void closeEverything()
    {
        if (MainForm* form = MainForm::Instance())
            form->close();
        for (QWidget* window : QApplication::topLevelWidgets())
            window->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void initTestCase()
    {
        PrepareApplication(*qApp);
        SetMsgBoxResponderForTesting([this](const MsgBoxShown& box) {
            boxes_ << box;
            return QMessageBox::Ok;
        });
    }

    void init()
    {
        boxes_.clear();
        KeyFound = false;
        UserName.clear();
        CompanyName.clear();
    }

    void cleanup() { closeEverything(); }

    void firstRunGoesThroughTheNewUserWindowSplashAndMainWindow()
    {
        FreshStore store;
        InstanceLock lock;
        QWidget* first = StartUp(lock);
        auto* userAdd = qobject_cast<UserAdd*>(first);
        QVERIFY(userAdd);
        QVERIFY(userAdd->isVisible());
        QCOMPARE(store.Contents(), QStringList());  // nothing stored before OK

        QTest::keyClicks(userAdd->FactBox, QStringLiteral("Brenhavel"));
        QTest::keyClicks(userAdd->UserBox, QStringLiteral("Hanako"));
        QElapsedTimer sinceOk;
        sinceOk.start();
        QTest::mouseClick(userAdd->Command1, Qt::LeftButton);

        Opening* splash = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* candidate = qobject_cast<Opening*>(window); candidate && candidate->isVisible())
                splash = candidate;
        }
        QVERIFY(splash);
        QCOMPARE(splash->U_Name->text(), QStringLiteral("Hanako"));

        // The splash stays its 2500 ms, then hands over to the main window
        // without a moment in which no window is open.
        WindowWatch watch(splash);
        QTRY_VERIFY_WITH_TIMEOUT(MainForm::Instance() != nullptr, 10000);
        QVERIFY(sinceOk.elapsed() >= 2500);
        QVERIFY(watch.closed);
        QVERIFY(watch.othersOpenAtClose);

        MainForm* form = MainForm::Instance();
        QVERIFY(form->isVisible());
        QCOMPARE(form->StatusBar1->Panels(1)->text(), QStringLiteral("0秒"));
        QCOMPARE(form->StatusBar1->Panels(2)->text(), QStringLiteral("1回目の挑戦"));
        QCOMPARE(form->StatusBar1->Panels(3)->text(), QStringLiteral("達成記録 0秒"));
        QVERIFY(form->mnu_Maru->isChecked());
        QVERIFY(form->mnu_Sound->isChecked());
        QVERIFY(form->SelectionSubWindow()->isVisible());
        QCOMPARE(form->SelectionSubWindow()->pos(), QPoint(0, 0));
    }

    void laterRunGoesStraightToTheSplashAndStampsTheDate()
    {
        FreshStore store;
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("会社"), QStringLiteral("利用者"), QStringLiteral("long ago")));
        InstanceLock lock;
        auto* splash = qobject_cast<Opening*>(StartUp(lock));
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        QVERIFY(KeyFound);
        QCOMPARE(splash->F_Name->text(), QStringLiteral("会社"));
        QCOMPARE(splash->U_Name->text(), QStringLiteral("利用者"));
        QCOMPARE(LoadDate(), TodayText());
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<UserAdd*>(window));
    }

    void secondCopyIsRefusedAndTouchesNothing()
    {
        FreshStore store;
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("c"), QStringLiteral("u"), QStringLiteral("long ago")));
        const QByteArray before = store.ReadFile();

        InstanceLock running;
        QVERIFY(running.TryLock());
        // A folder for the hand-over that others may enter is never used:
        // the stage file is not handed over, and the refusal names it.
        const QByteArray spool = QFile::encodeName(StageFileHandover::SpoolFolder());
        QVERIFY(::mkdir(spool.constData(), 0705) == 0);
        InstanceLock second;
        QCOMPARE(StartUp(second), nullptr);
        QCOMPARE(StartUp(second, {QStringLiteral("/tmp/富士.zumirak")}), nullptr);
        ::rmdir(spool.constData());

        QCOMPARE(boxes_.size(), 2);
        QCOMPARE(boxes_[0].text, QStringLiteral("既に起動されています"));
        QCOMPARE(boxes_[0].title, QStringLiteral("ズミラク"));
        QCOMPARE(boxes_[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY2(boxes_[1].text.startsWith(QStringLiteral("既に起動されています\r\n")), qPrintable(boxes_[1].text));
        QVERIFY(boxes_[1].text.endsWith(QStringLiteral("\r\n富士.zumirak")));
        QCOMPARE(store.ReadFile(), before);
        QVERIFY(!KeyFound);
        QVERIFY(!WindowWatch::AnyWindowOpen());
    }

    void aCrashedCopysLockDoesNotBlockTheNextStart()
    {
        FreshStore store;
        QProcess crashing;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), store.ConfigFolder());
        crashing.setProcessEnvironment(environment);
        crashing.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(HoldLockFlag)});
        QVERIFY(crashing.waitForReadyRead(10000));
        QCOMPARE(crashing.readAllStandardOutput(), QByteArray("locked\n"));

        InstanceLock whileItRuns;
        QVERIFY(!whileItRuns.TryLock());
        crashing.kill();
        QVERIFY(crashing.waitForFinished(10000));
        QVERIFY(QFileInfo::exists(InstanceLock::FilePath()));  // left behind

        InstanceLock next;
        QVERIFY(next.TryLock());
    }

    void aRecordFileLeadingNowhereIsSaidOnceInABox()
    {
        FreshStore store;
        QTemporaryDir volume;
        const QString unmounted = volume.filePath(QStringLiteral("unmounted/Zumirak.ini"));
        QVERIFY(QDir().mkpath(store.MakerFolder()));
        QVERIFY(QFile::link(unmounted, store.File()));
        InstanceLock lock;
        auto* userAdd = qobject_cast<UserAdd*>(StartUp(lock));
        QVERIFY(userAdd);
        QTest::mouseClick(userAdd->Command1, Qt::LeftButton);  // a save that cannot be made
        QTRY_COMPARE(boxes_.size(), 1);
        QCOMPARE(boxes_[0].title, QStringLiteral("ズミラク"));
        QVERIFY(boxes_[0].text.contains(unmounted));
        QTest::qWait(50);
        QCOMPARE(boxes_.size(), 1);
        QCOMPARE(QFile::symLinkTarget(store.File()), unmounted);
    }

    void qtsOwnButtonsSpeakJapanese()
    {
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    }
};

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], HoldLockFlag) == 0)
        return HoldLock();
    QApplication app(argc, argv);
    StartUpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_startup.moc"
