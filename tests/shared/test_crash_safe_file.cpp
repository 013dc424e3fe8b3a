// SPDX-License-Identifier: GPL-3.0-or-later
// The crash-safe write when two copies of the program write in one folder:
// neither takes the other's file in progress, and only a dead writer's
// leftovers are cleared away.
#include "shared/CrashSafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

class TestCrashSafeFile : public QObject {
    Q_OBJECT

private slots:
    void aTemporaryIsClearedOnlyWhenItsWriterIsGone_data()
    {
        QTest::addColumn<bool>("writerLives");
        QTest::addColumn<bool>("placedByHand");  // a new file, placed by its writer (a new stage)
        QTest::newRow("another copy is writing") << true << false;
        QTest::newRow("the writer crashed") << false << false;
        QTest::newRow("the writer of a new file crashed") << false << true;
    }

    // Another copy's write in progress beside the file (its temporary locked),
    // or the debris of one that crashed (the lock gone with the process);
    // then this copy writes the same file.
    void aTemporaryIsClearedOnlyWhenItsWriterIsGone()
    {
        QFETCH(bool, writerLives);
        QFETCH(bool, placedByHand);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("proofs"));
        const QByteArray othersName = QFile::encodeName(folder.filePath(QStringLiteral(".proofs.Ab12Cd.saving")));
        const int others = ::open(othersName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        QVERIFY(others >= 0);
        QCOMPARE(::write(others, "theirs", 6), ssize_t(6));
        if (writerLives)
            QCOMPARE(::flock(others, LOCK_EX), 0);
        else
            ::close(others);

        if (placedByHand) {
            CrashSafeFile::Temporary ours(path);
            QCOMPARE(ours.Write("ours"), 0);
            QCOMPARE(ours.MoveTo(QFile::encodeName(path)), 0);
        } else {
            QCOMPARE(CrashSafeFile::Replace(path, "ours"), 0);
        }
        QCOMPARE(QFile::exists(QFile::decodeName(othersName)), writerLives);
        // The other copy's rename still finds its file: its save is not lost.
        if (writerLives) {
            QCOMPARE(::rename(othersName.constData(), QFile::encodeName(path).constData()), 0);
            ::close(others);
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("proofs")});
    }
};

QTEST_GUILESS_MAIN(TestCrashSafeFile)
#include "test_crash_safe_file.moc"
