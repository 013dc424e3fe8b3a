// SPDX-License-Identifier: GPL-3.0-or-later
// The crash-safe write when two copies of the program write in one folder:
// neither takes the other's file in progress, and only a dead writer's
// leftovers are cleared away.
#include "shared/CrashSafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <unistd.h>

class TestCrashSafeFile : public QObject {
    Q_OBJECT

private slots:
    void aTemporaryIsClearedOnlyWhenItsWriterIsGone_data()
    {
        QTest::addColumn<bool>("writerLives");
        QTest::newRow("another copy is writing") << true;
        QTest::newRow("the writer crashed") << false;
    }

    // Another copy's write in progress beside the file, or the debris of one
    // that crashed; then this copy replaces the same file.
    void aTemporaryIsClearedOnlyWhenItsWriterIsGone()
    {
        QFETCH(bool, writerLives);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("proofs"));
        auto other = std::make_unique<CrashSafeFile::Temporary>(path);
        QCOMPARE(other->Write("theirs"), 0);
        const QByteArray othersName = other->Name();
        if (!writerLives) {
            // A crash leaves the file but takes its lock: copied under the same name, unlocked.
            const QByteArray kept = othersName + ".kept";
            QVERIFY(::link(othersName.constData(), kept.constData()) == 0);
            other.reset();
            QVERIFY(::rename(kept.constData(), othersName.constData()) == 0);
        }

        QCOMPARE(CrashSafeFile::Replace(path, "ours"), 0);
        QCOMPARE(QFile::exists(QFile::decodeName(othersName)), writerLives);
        // The other copy's rename still finds its file: its save is not lost.
        if (writerLives)
            QCOMPARE(other->MoveTo(QFile::encodeName(path)), 0);
        other.reset();
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("proofs")});
    }
};

QTEST_GUILESS_MAIN(TestCrashSafeFile)
#include "test_crash_safe_file.moc"
