// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line forms run as a stage author runs them: the real program,
// as a process, without any display, leaving no record and no stage behind.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir files_;

    // Exit status (-1: crashed or hung) and standard output.
    static std::pair<int, QByteArray> Zumirak(const QStringList& arguments)
    {
        QByteArray errors;
        return Zumirak(arguments, errors);
    }
    // The same, and standard error in `errors`. Without any display: a
    // command line that tried to open a window would fail.
    static std::pair<int, QByteArray> Zumirak(const QStringList& arguments, QByteArray& errors,
                                              const QString& language = QString())
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!language.isEmpty())
            environment.insert(QStringLiteral("LANG"), language);
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("ZUMIRAK_BIN_DIR") + QStringLiteral("/zumirak"), arguments);
        const bool ended = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
        errors = process.readAllStandardError();
        return {ended ? process.exitCode() : -1, process.readAllStandardOutput()};
    }

    QString File(const QByteArray& bytes)
    {
        static int n = 0;
        QFile file(files_.filePath(QStringLiteral("f%1.zumirak").arg(++n)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write a stage file");
        return file.fileName();
    }

private slots:
    void checkSaysForEachFile_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");  // "generate ..." stands for that form's output
        QTest::addColumn<QStringList>("verdicts");
        QTest::addColumn<int>("exitCode");
        const QByteArray row = "[Stage]\nLayout=0000,0000,0600,0000,1200,0000,\n";
        QTest::newRow("clearable") << QList<QByteArray>{row} << QStringList{"clearable ★ 0,0 0,1 0,2\n"} << 0;
        QTest::newRow("not clearable") << QList<QByteArray>{"[Stage]\nLayout=0000,0000,0600,0600,\n"}
                                       << QStringList{"not clearable\n"} << 1;
        QTest::newRow("invalid, then clearable") << QList<QByteArray>{"[Stage]\nLayout=0000,0000,0000,0000,\n", row}
                                                 << QStringList{"invalid: two balls on one cell", "clearable"} << 1;
        QTest::newRow("generated, easy") << QList<QByteArray>{"generate 3 --difficulty easy --seed 1"}
                                         << QStringList{"clearable"} << 0;
        QTest::newRow("generated, hard: its stars") << QList<QByteArray>{"generate 40 --difficulty hard --seed 5"}
                                                    << QStringList{"clearable ★★★ "} << 0;
        QTest::newRow("the stage of a Sunday") << QList<QByteArray>{"daily 2026-12-13"}
                                               << QStringList{"clearable ★★★ "} << 0;
        QTest::newRow("today's stage") << QList<QByteArray>{"daily"} << QStringList{"clearable ★"} << 0;
        QTest::newRow("generated, hard, full") << QList<QByteArray>{"generate 225 --difficulty hard --seed 9 --title 山"}
                                               << QStringList{"clearable"} << 0;
    }
    void checkSaysForEachFile()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QStringList, verdicts);
        QFETCH(int, exitCode);
        QStringList paths;
        for (const QByteArray& file : files) {
            if (!file.startsWith("generate ") && !file.startsWith("daily")) {
                paths << File(file);
                continue;
            }
            const auto [status, out] = Zumirak(QString::fromUtf8("--" + file).split(u' '));
            QCOMPARE(status, 0);
            paths << File(out);
        }
        const auto [status, out] = Zumirak(QStringList{"--check"} + paths);
        QCOMPARE(status, exitCode);
        const QStringList lines = QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), paths.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY2((lines[i] + u'\n').startsWith(paths[i] + QStringLiteral(": ") + verdicts[i]), qPrintable(lines[i]));
    }

    void otherFormsEndAtOnce_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");  // the start of standard output
        QTest::newRow("help") << QStringList{"--help"} << 0 << QByteArray("Usage: zumirak");
        QTest::newRow("version") << QStringList{"--version"} << 0 << QByteArray("zumirak " ZUMIRAK_VERSION "\n");
        QTest::newRow("one ball") << QStringList{"--generate", "1"} << 2 << QByteArray();
    }
    void otherFormsEndAtOnce()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        const auto [status, printed] = Zumirak(arguments);
        QCOMPARE(status, exitCode);
        QCOMPARE(printed.first(std::min(printed.size(), out.size())), out);
        // No lock, no record store, no stage folder.
        for (const char* folder : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            QVERIFY(!QFileInfo::exists(qEnvironmentVariable(folder) + QStringLiteral("/Brenhavel")));
    }

    // A made-up title is in the player's language, as the workshop's is, and
    // fits a stage title's 32 characters with the longest seed and the
    // difficulty of the longest name.
    void generatedTitleInTheDesktopsLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("difficulty");
        QTest::addColumn<QString>("title");
        QTest::newRow("Japanese") << "C.UTF-8" << "hard" << "Title=おまかせ・むずかしい・18446744073709551615";
        QTest::newRow("English") << "en_US.UTF-8" << "normal" << "Title=Auto·Normal·18446744073709551615";
    }
    void generatedTitleInTheDesktopsLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, difficulty);
        QFETCH(QString, title);
        QByteArray errors;
        const auto [status, out] = Zumirak(
            {"--generate", "4", "--difficulty", difficulty, "--seed", "18446744073709551615"}, errors, language);
        QCOMPARE(status, 0);
        QVERIFY2(QString::fromUtf8(out).split(u'\n').contains(title), out.constData());
    }

    // "--option=value" is the option and its value, for every option.
    void anOptionsValueMayFollowAnEqualsSign_data()
    {
        QTest::addColumn<QStringList>("withEquals");
        QTest::addColumn<QStringList>("spaced");
        const QString file = File("[Stage]\nLayout=0000,0000,0600,0000,1200,0000,\n");
        QTest::newRow("daily") << QStringList{"--daily=2026-12-07"} << QStringList{"--daily", "2026-12-07"};
        QTest::newRow("check") << QStringList{"--check=" + file, file} << QStringList{"--check", file, file};
        QTest::newRow("generate and its options")
            << QStringList{"--generate=6", "--difficulty=easy", "--seed=3", "--title=山 川"}
            << QStringList{"--generate", "6", "--difficulty", "easy", "--seed", "3", "--title", "山 川"};
    }
    void anOptionsValueMayFollowAnEqualsSign()
    {
        QFETCH(QStringList, withEquals);
        QFETCH(QStringList, spaced);
        QByteArray errors;
        const auto [status, out] = Zumirak(withEquals, errors);
        QVERIFY2(status == 0 && !out.isEmpty(), errors.constData());
        QCOMPARE(Zumirak(spaced), std::make_pair(status, out));
    }

    void helpExplainsEveryOption()
    {
        const QString help = QString::fromUtf8(Zumirak({"--help"}).second);
        for (const char* option : {"--check", "--generate", "--difficulty", "--seed", "--title", "--daily", "--help",
                                   "--version"})
            QVERIFY2(help.count(QLatin1String(option)) >= 2, option);  // in the usage, and explained
        for (const QString& line : help.split(u'\n'))
            QVERIFY2(line.size() < 80, qPrintable(line));
    }

    void aCommandLineNotUnderstoodIsRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");  // the first line on standard error
        const QString file = files_.filePath(QStringLiteral("any.zumirak"));
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "zumirak: unknown option --bogus";
        QTest::newRow("unknown, after a file") << QStringList{file, "--bogus=1"} << "zumirak: unknown option --bogus";
        QTest::newRow("a seed without --generate") << QStringList{"--seed", "3"}
                                                   << "zumirak: unknown option --seed (it goes with --generate)";
        QTest::newRow("a title without --generate") << QStringList{"--title", "x", file}
                                                    << "zumirak: unknown option --title (it goes with --generate)";
        QTest::newRow("unknown option to --check") << QStringList{"--check", file, "--bogus"}
                                                   << "zumirak: unknown option --bogus";
        QTest::newRow("a word after --generate N") << QStringList{"--generate", "5", "extra"}
                                                   << "zumirak: 'extra' is not an option of --generate";
        QTest::newRow("an option without its value") << QStringList{"--generate", "5", "--seed"}
                                                     << "zumirak: --seed needs a value";
        QTest::newRow("unknown option to --generate") << QStringList{"--generate", "5", "--colour", "red"}
                                                      << "zumirak: unknown option --colour";
        QTest::newRow("a day the calendar lacks") << QStringList{"--daily", "2026-02-29"}
                                                  << "zumirak: the date is a day of the calendar as YYYY-MM-DD, not '2026-02-29'";
        QTest::newRow("a word for a date") << QStringList{"--daily", "today"}
                                           << "zumirak: the date is a day of the calendar as YYYY-MM-DD, not 'today'";
        QTest::newRow("a date in another form") << QStringList{"--daily", "2026-12-8"}
                                                << "zumirak: the date is a day of the calendar as YYYY-MM-DD, not '2026-12-8'";
        QTest::newRow("two dates") << QStringList{"--daily", "2026-12-08", "2026-12-09"}
                                   << "zumirak: --daily takes one date at most, not '2026-12-09'";
        QTest::newRow("a value to a form without one") << QStringList{"--help=1"}
                                                       << "zumirak: --help takes no value, not '--help=1'";
        QTest::newRow("an equals sign without a value") << QStringList{"--daily="}
                                                        << "zumirak: --daily needs a value after '=', not '--daily='";
        QTest::newRow("another spelling") << QStringList{"--daily:2026-12-07"}
                                          << "zumirak: unknown option --daily:2026-12-07";
        QTest::newRow("a form not first") << QStringList{file, "--check"} << "zumirak: --check must come first";
    }
    void aCommandLineNotUnderstoodIsRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QByteArray errors;
        const auto [status, printed] = Zumirak(arguments, errors);
        QCOMPARE(status, 2);
        QVERIFY(printed.isEmpty());
        const QStringList lines = QString::fromUtf8(errors).split(u'\n');
        QCOMPARE(lines.front(), message);
        QVERIFY(lines.contains(QStringLiteral("Usage: zumirak [FILE.zumirak...]")));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
