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
        QTest::addColumn<QString>("othersName");  // empty: a name the writer makes
        QTest::addColumn<bool>("writerLives");
        QTest::addColumn<bool>("placedByHand");  // a new file, placed by its writer (a new stage)
        QTest::newRow("another copy is writing") << QString() << true << false;
        QTest::newRow("the writer crashed") << QString() << false << false;
        QTest::newRow("the writer of a new file crashed") << QString() << false << true;
        // Never taken for debris, however it is named.
        QTest::newRow("the user's own file") << ".proofs.backup.saving" << false << false;
    }

    // Another copy's write in progress beside the file (its temporary locked),
    // the debris of one that crashed (the lock gone with the process), or a
    // file of the user's own; then this copy writes the same file.
    void aTemporaryIsClearedOnlyWhenItsWriterIsGone()
    {
        QFETCH(QString, othersName);
        QFETCH(bool, writerLives);
        QFETCH(bool, placedByHand);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("proofs"));
        const bool usersOwn = !othersName.isEmpty();
        if (!usersOwn) {
            // The letters and mark of a temporary made beside another file.
            const CrashSafeFile::Temporary made(folder.filePath(QStringLiteral("other")));
            othersName = QStringLiteral(".proofs") + QFile::decodeName(made.Name()).section(u'/', -1).mid(6);
        }
        const QByteArray othersPath = QFile::encodeName(folder.filePath(othersName));
        const int others = ::open(othersPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
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
        QCOMPARE(QFile::exists(QFile::decodeName(othersPath)), writerLives || usersOwn);
        // The other copy's rename still finds its file: its save is not lost.
        if (writerLives) {
            QCOMPARE(::rename(othersPath.constData(), QFile::encodeName(path).constData()), 0);
            ::close(others);
        }
        const QStringList left = usersOwn ? QStringList{othersName, QStringLiteral("proofs")} : QStringList{QStringLiteral("proofs")};
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), left);
    }
};

QTEST_GUILESS_MAIN(TestCrashSafeFile)
#include "test_crash_safe_file.moc"
