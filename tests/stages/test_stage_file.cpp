// The stage-file reader against every kind of file a player may hand it,
// replayed through the fuzz entry so that each case also checks the
// reader's promises; and the proof that refuses what cannot be cleared.
#include "stages/StageFile.h"
#include "stages/StageProof.h"

#include <QtTest>

#include <cstdint>

Q_DECLARE_METATYPE(std::vector<Rules::Cell>)

// From fuzz_stage_file.cpp: aborts on a broken promise, returns the verdict.
bool ReadAndCheckStageFile(const std::uint8_t* data, std::size_t size);

class TestStageFile : public QObject {
    Q_OBJECT

private slots:
    void verdicts_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("refusal");  // start of the reason for the log; empty: accepted
        const QByteArray stage = "[Stage]\nTitle=富士山\nLayout=0600,0000,0600,0600,\n";
        const QByteArray layout33 = "[Stage]\nTitle=" + QString(33, u'山').toUtf8() + "\nLayout=0000,0000,\n";
        QTest::newRow("as written") << stage << QString();
        QTest::newRow("byte order mark, CR LF, other keys")
            << QByteArray("\xEF\xBB\xBF; mine\r\n[Other]\r\nLayout=x\r\n[Stage]\r\nAuthor=me\r\nTitle=a\r\nLayout=0000,0000,\r\n")
            << "";
        QTest::newRow("layout in quotes, no title") << QByteArray("[Stage]\nLayout=\"8400,8400,\"\n") << "";
        QTest::newRow("title of 32") << "[Stage]\nTitle=" + QString(32, u'山').toUtf8() + "\nLayout=0000,0000,\n" << "";
        QTest::newRow("title of 33") << layout33 << "the title is longer";
        QTest::newRow("line break in the title") << QByteArray("[Stage]\nTitle=\"a\\nb\"\nLayout=0000,0000,\n")
                                                << "not a stage file";
        QTest::newRow("empty file") << QByteArray() << "not a stage file";
        QTest::newRow("not UTF-8") << QByteArray("[Stage]\nTitle=\xFF\nLayout=0000,0000,\n") << "not a stage file";
        QTest::newRow("NUL byte") << QByteArray("[Stage]\nLayout=0000,0000,\n\0", 27) << "not a stage file";
        QTest::newRow("no section") << QByteArray("Layout=0000,0000,\n") << "not a stage file";
        QTest::newRow("no layout") << QByteArray("[Stage]\nTitle=a\n") << "not a stage file";
        QTest::newRow("broken line") << QByteArray("[Stage]\nLayout 0000,0000,\n") << "not a stage file";
        QTest::newRow("layout not records") << QByteArray("[Stage]\nLayout=06OO,0000,\n") << "not a stage file";
        QTest::newRow("huge") << "[Stage]\nLayout=0000,0000,\n;" + QByteArray(70000, 'x') << "not a stage file";
        QTest::newRow("ball off the board") << QByteArray("[Stage]\nLayout=0000,0000,9000,0000,\n")
                                           << "a ball lies off the board";
        QTest::newRow("two balls on one cell") << QByteArray("[Stage]\nLayout=0600,0000,0600,0000,\n")
                                              << "two balls on one cell";
        QTest::newRow("no ball") << QByteArray("[Stage]\nTitle=a\nLayout=\n") << "no ball";
    }
    void verdicts()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, refusal);
        const bool accepted = ReadAndCheckStageFile(reinterpret_cast<const std::uint8_t*>(file.constData()),
                                                    static_cast<std::size_t>(file.size()));
        QCOMPARE(accepted, refusal.isEmpty());
        if (accepted)
            return;
        const StageFileReading reading = ReadStageFile(file);
        QVERIFY(!reading.reason.isEmpty());
        QVERIFY2(reading.reasonForLog.startsWith(refusal), qPrintable(reading.reasonForLog));
    }

    void unreadablePathsAreRefusedWithoutWaiting_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << QStringLiteral("/nonexistent/a.zumirak");
        QTest::newRow("folder") << QDir::tempPath();
        QTest::newRow("endless device") << QStringLiteral("/dev/zero");
    }
    void unreadablePathsAreRefusedWithoutWaiting()
    {
        QFETCH(QString, path);
        QCOMPARE(ReadStageFileAt(path).reasonForLog, QStringLiteral("cannot be read"));
    }

    void proofRefusesWhatItCannotShow_data()
    {
        QTest::addColumn<std::vector<Rules::Cell>>("cells");
        QTest::addColumn<std::size_t>("maxPositions");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("a row") << std::vector<Rules::Cell>{{3, 0}, {3, 1}, {3, 2}} << std::size_t(100000) << "";
        QTest::newRow("diagonal pair") << std::vector<Rules::Cell>{{0, 0}, {1, 1}} << std::size_t(100000)
                                       << "not clearable";
        QTest::newRow("limit reached") << std::vector<Rules::Cell>{{3, 0}, {3, 2}, {5, 2}, {5, 0}, {3, 7}}
                                       << std::size_t(1) << "unknown (limit)";
    }
    void proofRefusesWhatItCannotShow()
    {
        QFETCH(std::vector<Rules::Cell>, cells);
        QFETCH(std::size_t, maxPositions);
        QFETCH(QString, refusal);
        Rules::SolverLimits limits;
        limits.maxPositions = maxPositions;
        const StageProof proof = ProveStage(Rules::Figure(cells), limits);
        QCOMPARE(proof.reasonForLog, refusal);
        QCOMPARE(proof.ok(), refusal.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStageFile)
#include "test_stage_file.moc"
