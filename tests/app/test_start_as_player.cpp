// SPDX-License-Identifier: GPL-3.0-or-later
// The real program started as a player starts it, on a private display: what
// it tells at the start.
#include "app/PrivateDisplay.h"
#include "records/FreshStore.h"

#include <QDeadlineTimer>
#include <QTemporaryDir>

class StartAsPlayerTest : public QObject {
    Q_OBJECT

    PrivateDisplay display_;

    // A window of `program` named `name`, waited for; empty when none came.
    QString WaitForWindow(const QProcess& program, const QString& name, int timeoutMs = 20000) const
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            for (const QString& window : display_.WindowsOf(program.processId())) {
                if (display_.WindowName(window) == name)
                    return window;
            }
            QTest::qWait(200);
        }
        return {};
    }

private slots:
    void initTestCase()
    {
        QString reason;
        if (!display_.Start(reason))
            QSKIP(qPrintable(reason));
    }

    // The record file is a link into a volume not mounted yet: the player is
    // told before playing a game whose records would not be kept.
    void anUnreachableRecordFileIsToldAtTheStart()
    {
        FreshStore store;
        QTemporaryDir volume;
        QVERIFY(QDir().mkpath(store.MakerFolder()));
        QVERIFY(QFile::link(volume.filePath(QStringLiteral("unmounted/Zumirak.ini")), store.File()));
        QProcessEnvironment environment = display_.Environment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), store.ConfigFolder());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), volume.filePath(QStringLiteral("data")));

        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zumirak"), {});
        QVERIFY(program.waitForStarted());
        const bool told = !WaitForWindow(program, QStringLiteral("ズミラク")).isEmpty();
        program.kill();
        program.waitForFinished(5000);
        QVERIFY2(told, "no message box about the record file");
    }
};

QTEST_GUILESS_MAIN(StartAsPlayerTest)
#include "test_start_as_player.moc"
