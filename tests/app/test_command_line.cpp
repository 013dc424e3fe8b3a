// The command-line forms run as a stage author runs them: the real program,
// as a process, without any display, leaving no record and no stage behind.
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
};

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir files_;

    static Run Zumirak(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("ZUMIRAK_BIN_DIR") + QStringLiteral("/zumirak"), arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), process.readAllStandardOutput()};
    }

    QString File(const QString& name, const QByteArray& bytes)
    {
        const QString path = files_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // The take order's row,column pairs on a "clearable" line.
    static qsizetype Pairs(const QString& line) { return line.count(u',') ; }

private slots:
    void checkSaysForEachFile_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QStringList>("verdicts");
        QTest::addColumn<int>("exitCode");
        const QByteArray row = "[Stage]\nTitle=列\nLayout=0000,0000,0600,0000,1200,0000,\n";
        const QByteArray diagonal = "[Stage]\nLayout=0000,0000,0600,0600,\n";
        const QByteArray broken = "[Stage]\nLayout=0000,0000,0000,0000,\n";
        QTest::newRow("clearable") << QList<QByteArray>{row} << QStringList{"clearable 0,0 0,1 0,2"} << 0;
        QTest::newRow("not clearable") << QList<QByteArray>{diagonal} << QStringList{"not clearable"} << 1;
        QTest::newRow("invalid, then clearable") << QList<QByteArray>{broken, row}
                                                 << QStringList{"invalid: two balls on one cell", "clearable"} << 1;
    }
    void checkSaysForEachFile()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QStringList, verdicts);
        QFETCH(int, exitCode);
        QStringList paths;
        for (const QByteArray& file : files)
            paths << File(QStringLiteral("f%1.zumirak").arg(paths.size()), file);
        const Run run = Zumirak(QStringList{"--check"} + paths);
        QCOMPARE(run.exitCode, exitCode);
        const QStringList lines = QString::fromUtf8(run.out).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), paths.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(paths[i] + QStringLiteral(": ") + verdicts[i]), qPrintable(lines[i]));
    }

    void generatedStagesPassTheCheck_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("balls");
        QTest::newRow("few, easy") << QStringList{"3", "--difficulty", "easy", "--seed", "1"} << 3;
        QTest::newRow("usual, hard, titled") << QStringList{"40", "--difficulty", "hard", "--seed", "77", "--title", "山"}
                                             << 40;
        QTest::newRow("full board") << QStringList{"225", "--seed", "18446744073709551615"} << 225;
    }
    void generatedStagesPassTheCheck()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, balls);
        const Run first = Zumirak(QStringList{"--generate"} + arguments);
        QCOMPARE(first.exitCode, 0);
        QCOMPARE(Zumirak(QStringList{"--generate"} + arguments).out, first.out);  // the same seed, the same stage
        const QString path = File(QStringLiteral("generated.zumirak"), first.out);
        const Run check = Zumirak({"--check", path});
        QCOMPARE(check.exitCode, 0);
        QCOMPARE(Pairs(QString::fromUtf8(check.out)), balls);
        if (arguments.contains(QStringLiteral("--title")))
            QVERIFY(first.out.contains("Title=" + arguments.last().toUtf8() + "\n"));
    }

    void formsEndAtOnce_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");  // the start of standard output
        QTest::newRow("help") << QStringList{"--help"} << 0 << QByteArray("Usage: zumirak");
        QTest::newRow("version") << QStringList{"--version"} << 0 << QByteArray("zumirak " ZUMIRAK_VERSION "\n");
        QTest::newRow("check without files") << QStringList{"--check"} << 2 << QByteArray();
        QTest::newRow("one ball") << QStringList{"--generate", "1"} << 2 << QByteArray();
        QTest::newRow("unknown difficulty") << QStringList{"--generate", "5", "--difficulty", "x"} << 2 << QByteArray();
        QTest::newRow("title too long") << QStringList{"--generate", "5", "--title", QString(33, u'a')} << 2
                                        << QByteArray();
    }
    void formsEndAtOnce()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        const Run run = Zumirak(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.out.startsWith(out), run.out.constData());
        QCOMPARE(run.out.isEmpty(), out.isEmpty());
    }

    // Run last: nothing above left a record store or a stage folder.
    void noRecordAndNoStageWasWritten()
    {
        QVERIFY(!QFileInfo::exists(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Brenhavel")));
        QVERIFY(!QFileInfo::exists(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Brenhavel")));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
