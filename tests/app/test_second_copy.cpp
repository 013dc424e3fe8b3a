// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on a display: a second copy is refused with its message
// box, ends when the box is answered or a signal tells it to end, and leaves the records' folder as it
// was (no LoadDate stamp, no file written, renamed or deleted); the first runs
// on undisturbed. A record file whose link leads nowhere is told at the start. Runs on a
// private X server (Xvfb) and answers the box with xdotool.
#include "app/InstanceLock.h"
#include "records/FreshStore.h"
#include "records/RegUpRead.h"
#include "shared/CrashSafeFile.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>

using namespace RegUpRead;

namespace {

QString LoadDate()
{
    return KeyStore::ReadValue(HKEY_CURRENT_USER, ProgramKey, QStringLiteral("LoadDate"));
}

// Runs xdotool and returns what it printed, trimmed; empty on failure.
QString XDoTool(const QProcessEnvironment& environment, const QStringList& arguments, int timeoutMs = 15000)
{
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

} // namespace

class SecondCopyTest : public QObject {
    Q_OBJECT

    QProcess display_;
    QProcessEnvironment environment_;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("needs Xvfb and xdotool (tools/setup.sh installs them)");

        // Xvfb picks a free display itself and tells its number. Without
        // -noreset it would restart whenever its last client leaves, and a
        // program starting at that moment could not connect.
        display_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                QStringLiteral("-screen"), QStringLiteral("0"),
                                                QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                                                QStringLiteral("tcp"), QStringLiteral("-noreset")});
        QVERIFY(display_.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (!display_.canReadLine() && waited.elapsed() < 15000)
            display_.waitForReadyRead(500);
        const QByteArray number = display_.readLine().trimmed();
        QVERIFY2(!number.isEmpty(), "Xvfb did not start");

        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + QString::fromLatin1(number));
        environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment_.remove(QStringLiteral("XAUTHORITY"));
    }

    void cleanupTestCase()
    {
        if (display_.state() != QProcess::NotRunning) {
            display_.terminate();
            display_.waitForFinished(5000);
        }
    }

    // The record file is a link into a volume not mounted yet.
    void anUnreachableRecordFileIsToldAtTheStart()
    {
        FreshStore store;
        QVERIFY(QDir().mkpath(store.MakerFolder()));
        QVERIFY(QFile::link(store.ConfigFolder() + QStringLiteral("/unmounted/Zumirak.ini"), store.File()));
        QProcessEnvironment environment = environment_;
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), store.ConfigFolder());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zumirak"), {});
        QVERIFY(program.waitForStarted());
        // Beside the new-user window ("ﾕｰｻﾞ登録"), the box.
        QString box;
        for (int wait = 0; wait < 50 && box.isEmpty(); ++wait) {
            QTest::qWait(200);
            const QString windows = XDoTool(environment, {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                          QStringLiteral("--pid"), QString::number(program.processId())});
            for (const QString& window : windows.split(u'\n', Qt::SkipEmptyParts)) {
                if (XDoTool(environment, {QStringLiteral("getwindowname"), window}) == QStringLiteral("ズミラク"))
                    box = window;
            }
        }
        program.kill();
        QVERIFY(program.waitForFinished(5000));
        QVERIFY2(!box.isEmpty(), "no message box about the record file");
    }

    void secondCopyIsRefusedAndLeavesTheRecordsAlone()
    {
        FreshStore store;
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("c"), QStringLiteral("u"), QStringLiteral("long ago")));

        QProcessEnvironment environment = environment_;
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), store.ConfigFolder());
        const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/zumirak");

        QProcess first;
        first.setProcessEnvironment(environment);
        first.start(program, {});
        QVERIFY(first.waitForStarted());
        // The first copy holds the lock once it has stamped the date.
        QTRY_VERIFY_WITH_TIMEOUT(LoadDate() == TodayText(), 20000);
        QVERIFY(RegSetString(HKEY_CURRENT_USER, ProgramKey, QStringLiteral("LoadDate"),
                             QStringLiteral("while the first runs"), false));
        const QByteArray recordsBefore = store.ReadFile();
        // The first copy in the middle of a save, and what looks like leftovers
        // of older saves: only the copy holding the lock may judge them.
        CrashSafeFile::Temporary saving(store.File());
        QCOMPARE(saving.Write(recordsBefore), 0);
        for (const char* name : {"Zumirak.ini.saving", ".Zumirak.ini.Ab12Cd.saving"})
            QVERIFY(QFile(store.MakerFolder() + u'/' + QLatin1String(name)).open(QIODevice::WriteOnly));
        const auto files = [&store] { return QDir(store.MakerFolder()).entryList(QDir::Files | QDir::Hidden); };
        const QStringList filesBefore = files();

        // A copy that has run for a day still holds its lock: its age alone
        // must not make it stale.
        const timespec dayAgo[2] = {{time(nullptr) - 86400, 0}, {time(nullptr) - 86400, 0}};
        QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(InstanceLock::FilePath()).constData(), dayAgo, 0) == 0);

        // It ends when its box is answered, or as soon as a signal tells it
        // to, before its event loop ever runs.
        for (const int ending : {SIGTERM, SIGHUP, SIGINT, 0}) {
            QProcess second;
            second.setProcessEnvironment(environment);
            second.start(program, {});
            QVERIFY(second.waitForStarted());
            const QString box = XDoTool(environment, {QStringLiteral("search"), QStringLiteral("--sync"),
                                                      QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                                      QString::number(second.processId())});
            QVERIFY2(!box.isEmpty() && !box.contains(u'\n'), "the second copy showed no single box");
            QCOMPARE(XDoTool(environment, {QStringLiteral("getwindowname"), box}), QStringLiteral("ズミラク"));
            // Until the box is answered the second copy waits.
            QVERIFY(!second.waitForFinished(300));

            if (ending)
                ::kill(pid_t(second.processId()), ending);
            else
                XDoTool(environment, {QStringLiteral("key"), QStringLiteral("--window"), box, QStringLiteral("Return")});
            QVERIFY2(second.waitForFinished(15000), qPrintable(QString::number(ending)));
            QCOMPARE(second.exitStatus(), QProcess::NormalExit);
            QCOMPARE(second.exitCode(), 0);
        }

        QCOMPARE(store.ReadFile(), recordsBefore);
        QCOMPARE(files(), filesBefore);
        QCOMPARE(saving.MoveTo(QFile::encodeName(store.File())), 0);
        QCOMPARE(LoadDate(), QStringLiteral("while the first runs"));
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        first.waitForFinished(5000);
    }

};

QTEST_GUILESS_MAIN(SecondCopyTest)
#include "test_second_copy.moc"
