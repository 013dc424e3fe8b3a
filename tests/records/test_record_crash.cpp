// SPDX-License-Identifier: GPL-3.0-or-later
// A program killed in the middle of saving its records: a child process saves
// generation after generation of records while the test kills it (SIGKILL)
// at random moments, again and again. Every time, the file must parse, hold
// one whole generation (never a mixture), and lose none that was reported
// as saved.
#include "records/FreshStore.h"
#include "records/IniFile.h"
#include "records/RegUpRead.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>

using namespace RegUpRead;

namespace {

const char* const WriterFlag = "--write-generations";

std::vector<RegWrite> Generation(int g)
{
    const QString text = QString::number(g);
    std::vector<RegWrite> writes = {{ProgramKey, QStringLiteral("U_Name"), QStringLiteral("世代 ") + text},
                                    {ProgramKey, QStringLiteral("F_Name"), text}};
    for (int stage = 0; stage < StageSlots; ++stage) {
        writes.push_back({StageKey(stage), QStringLiteral("ChargeNum"), text});
        writes.push_back({StageKey(stage), QStringLiteral("ClearTime"), text});
    }
    return writes;
}

// The child: goes on from the generation on disk, reporting each one saved.
int WriteGenerations()
{
    RegReadStage(0);
    int g = KeyFound ? StageChargeNum.toInt() : 0;
    for (;;) {
        ++g;
        if (!RegSetStrings(HKEY_CURRENT_USER, Generation(g), true))
            return 1;
        std::printf("%d\n", g);
        std::fflush(stdout);
        RegReadUser();  // the LoadDate stamp, a single-value save in between
    }
}

// The one generation the file holds, or -1 when it holds a mixture.
int GenerationOnDisk(const IniContents& contents)
{
    const QString g = contents.groups.value(QString()).value(QStringLiteral("F_Name"));
    if (contents.groups.value(QString()).value(QStringLiteral("U_Name")) != QStringLiteral("世代 ") + g)
        return -1;
    for (int stage = 0; stage < StageSlots; ++stage) {
        const auto record = contents.groups.value(QStringLiteral("Round%1").arg(stage));
        if (record.value(QStringLiteral("ChargeNum")) != g || record.value(QStringLiteral("ClearTime")) != g)
            return -1;
    }
    return g.toInt();
}

} // namespace

class RecordCrashTest : public QObject {
    Q_OBJECT

private slots:
    void killedWritersLeaveOneWholeGeneration()
    {
        FreshStore store;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), store.ConfigFolder());

        QElapsedTimer clock;
        clock.start();
        int lastSaved = 0;
        int kills = 0;
        // Enough kills to land in every phase of a save, within the time budget.
        while (kills < 20 || (kills < 150 && clock.elapsed() < 10000)) {
            QProcess writer;
            writer.setProcessEnvironment(environment);
            writer.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(WriterFlag)});
            QVERIFY(writer.waitForStarted());
            // Half the time the kill may land before the first save is done.
            if (kills % 2 == 0)
                QVERIFY2(writer.waitForReadyRead(10000), "the writer did not get going");
            QThread::usleep(QRandomGenerator::global()->bounded(30000));
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));
            ++kills;

            int reported = lastSaved;
            for (const QByteArray& line : writer.readAllStandardOutput().split('\n')) {
                if (!line.isEmpty())
                    reported = line.toInt();
            }

            const QByteArray bytes = store.ReadFile();
            if (bytes.isEmpty() && reported == 0)
                continue;  // killed before its very first save
            const auto contents = ParseIni(bytes);
            QVERIFY2(contents.has_value(), bytes.left(400).constData());
            const int onDisk = GenerationOnDisk(*contents);
            QVERIFY2(onDisk >= 0, "the file mixes two generations");
            QVERIFY2(onDisk >= reported, qPrintable(QStringLiteral("generation %1 lost, file holds %2")
                                                        .arg(reported).arg(onDisk)));
            QVERIFY(onDisk <= reported + 1);
            lastSaved = onDisk;
            // Nothing was set aside as damaged; at most the copy being written
            // when the kill came lies beside the file.
            QStringList files = QDir(store.MakerFolder()).entryList(QDir::Files | QDir::Hidden);
            const qsizetype unfinished = files.removeIf([](const QString& name) {
                return name.startsWith(QStringLiteral(".Zumirak.ini.")) && name.endsWith(QStringLiteral(".saving"));
            });
            QVERIFY(unfinished <= 1);
            QVERIFY2(files == QStringList{QStringLiteral("Zumirak.ini")}, qPrintable(files.join(u' ')));
        }
        QVERIFY(lastSaved > 0);
        // The next run reads the last generation and clears away the unfinished copy.
        RegReadStage(0);
        QCOMPARE(StageChargeNum.toInt(), lastSaved);
        QCOMPARE(QDir(store.MakerFolder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Zumirak.ini")});
        qInfo("%d kills, %d generations saved", kills, lastSaved);
    }
};

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], WriterFlag) == 0)
        return WriteGenerations();
    QCoreApplication app(argc, argv);
    RecordCrashTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_record_crash.moc"
