// SPDX-License-Identifier: GPL-3.0-or-later
// Two copies of the real program on one display: the second is refused with
// its message box, ends when the box is answered, and leaves the records as
// they were (no LoadDate stamp, no file of the records' folder written,
// renamed or deleted); the first runs on undisturbed. Runs on a
// private X server (Xvfb) and answers the box with xdotool.
#include "app/InstanceLock.h"
#include "app/PrivateDisplay.h"
#include "records/FreshStore.h"
#include "records/RegUpRead.h"
#include "shared/CrashSafeFile.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

using namespace RegUpRead;

namespace {

QString LoadDate()
{
    return KeyStore::ReadValue(HKEY_CURRENT_USER, ProgramKey, QStringLiteral("LoadDate"));
}

} // namespace

class SecondCopyTest : public QObject {
    Q_OBJECT

    PrivateDisplay display_;
    QProcessEnvironment environment_;

private slots:
    void initTestCase()
    {
        QString reason;
        if (!display_.Start(reason))
            QSKIP(qPrintable(reason));
        environment_ = display_.Environment();
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
        // The first copy in the middle of a save, and what looks like the
        // leftovers of older saves: only the copy holding the lock may judge them.
        CrashSafeFile::Temporary saving(store.File());
        QCOMPARE(saving.Write(recordsBefore), 0);
        for (const QString& name : {QStringLiteral("Zumirak.ini.saving"), QStringLiteral(".Zumirak.ini.Ab12Cd.saving")}) {
            QFile leftover(QDir(store.MakerFolder()).filePath(name));
            QVERIFY(leftover.open(QIODevice::WriteOnly));
        }
        const QStringList filesBefore =
            QDir(store.MakerFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);

        // A copy that has run for a day still holds its lock: its age alone
        // must not make it stale.
        const timespec dayAgo[2] = {{time(nullptr) - 86400, 0}, {time(nullptr) - 86400, 0}};
        QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(InstanceLock::FilePath()).constData(), dayAgo, 0) == 0);

        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(program, {});
        QVERIFY(second.waitForStarted());
        const QStringList windows = display_.WindowsOf(second.processId());
        QVERIFY2(windows.size() == 1, "the second copy showed no single box");
        const QString box = windows.front();
        QCOMPARE(display_.WindowName(box), QStringLiteral("ズミラク"));
        // Until the box is answered the second copy waits.
        QVERIFY(!second.waitForFinished(300));

        display_.XDoTool({QStringLiteral("key"), QStringLiteral("--window"), box, QStringLiteral("Return")});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);

        QCOMPARE(store.ReadFile(), recordsBefore);
        QCOMPARE(QDir(store.MakerFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 filesBefore);
        QCOMPARE(saving.MoveTo(QFile::encodeName(store.File())), 0);
        QCOMPARE(LoadDate(), QStringLiteral("while the first runs"));
        QCOMPARE(first.state(), QProcess::Running);

        first.kill();
        first.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(SecondCopyTest)
#include "test_second_copy.moc"
