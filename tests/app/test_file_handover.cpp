// SPDX-License-Identifier: GPL-3.0-or-later
// Stage files reach the running copy, whatever the characters of their paths
// and relative or not, and end in one message that says what became of each,
// once the main window is there. A message still open never lets another
// batch begin; requests left by a copy started at the same moment are taken;
// a folder others may enter is not used.
#include "app/MainForm.h"
#include "app/StageFileHandover.h"
#include "app/StageImport.h"
#include "play/test_gametable_kit.h"
#include "select/GameSelect.h"
#include "stages/PlayerStages.h"
#include "stages/StageFile.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <future>

#include <sys/stat.h>

namespace {

// Hands `paths` over from another thread, as a second copy would, while this
// one goes on serving its event loop.
bool HandOverFromOutside(const QStringList& paths)
{
    std::future<bool> sent = std::async(std::launch::async, [paths] { return StageFileHandover::HandOver(paths); });
    while (sent.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return sent.get();
}

const Rules::Figure Row({{4, 4}, {4, 5}, {4, 6}});

} // namespace

class FileHandoverTest : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;
    std::unique_ptr<MainForm> main;
    QTemporaryDir files;

    QString Write(const QString& name, const QByteArray& contents)
    {
        const QString path = files.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QStringList Junk(int count)
    {
        QStringList paths;
        for (int i = 0; i < count; ++i)
            paths << Write(QStringLiteral("junk%1.zumirak").arg(i), "junk");
        return paths;
    }

private slots:
    void initTestCase()
    {
        kit = std::make_unique<PlayKit>();
        QDir(PlayerStages::Folder()).removeRecursively();
        PlayerStages::Reload();
    }

    void noListenerNoHandover_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("no copy made the folder") << false;
        QTest::newRow("no copy watches the folder") << true;
    }

    // Nothing is left behind, and the later copy can name every file to the player.
    void noListenerNoHandover()
    {
        QFETCH(bool, folder);
        QDir spool(StageFileHandover::SpoolFolder());
        QVERIFY(spool.removeRecursively());
        if (folder) {
            QVERIFY(spool.mkpath(QStringLiteral(".")));
            QVERIFY(::chmod(QFile::encodeName(spool.path()).constData(), 0700) == 0);
        }
        const QStringList paths{QStringLiteral("/tmp/x.zumirak"), QStringLiteral("/tmp/y.zumirak")};
        QStringList notHanded;
        QVERIFY(!StageFileHandover::HandOver(paths, 500, &notHanded));
        QCOMPARE(notHanded, paths);
        QCOMPARE(spool.entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // Two copies started together: the one that gets the lock takes what the
    // other left in a folder from an earlier run, and drops only requests
    // whose maker is gone.
    void requestsOfACopyStillWaitingAreTaken()
    {
        QDir spool(StageFileHandover::SpoolFolder());
        QVERIFY(spool.mkpath(QStringLiteral(".")));
        QVERIFY(::chmod(QFile::encodeName(spool.path()).constData(), 0700) == 0);
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForStarted());
        const qint64 gonePid = gone.processId();
        QVERIFY(gone.waitForFinished());
        const auto plant = [&spool](qint64 pid, const char* path) {
            QFile request(spool.filePath(QStringLiteral("%1-99.request").arg(pid)));
            QVERIFY(request.open(QIODevice::WriteOnly));
            request.write(QUrl::fromLocalFile(QString::fromLatin1(path)).toEncoded() + '\n');
        };
        plant(QCoreApplication::applicationPid(), "/waiting.zumirak");
        plant(gonePid, "/abandoned.zumirak");

        StageFileReceiver receiver;
        QSignalSpy received(&receiver, &StageFileReceiver::FilesReceived);
        QVERIFY(receiver.Listen());
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.front().front().toStringList(), QStringList{QStringLiteral("/waiting.zumirak")});
        QCOMPARE(spool.entryList(QDir::Files), QStringList());
    }

    // Thousands of long Japanese names, a command line the system allows,
    // make more than one request's worth: all of them arrive.
    void aVeryLongCommandLineIsHandedOverWhole()
    {
        // 1.9 MB as arguments, 5.6 MB as the lines of a request.
        const QString longName = QStringLiteral("ステージの題名がとても長いファイルの名前").repeated(5);
        QStringList paths;
        for (int i = 0; i < 6200; ++i)
            paths << QStringLiteral("/%1%2.zumirak").arg(longName).arg(i);
        StageFileReceiver receiver;
        QStringList received;  // in one batch or a few
        connect(&receiver, &StageFileReceiver::FilesReceived, this, [&received](const QStringList& some) { received << some; });
        QVERIFY(receiver.Listen());
        QVERIFY(HandOverFromOutside(paths));
        QTRY_COMPARE(received, paths);
    }

    void messagesWaitForTheMainWindow()
    {
        QVERIFY(StageFileHandover::ImportHandedStageFiles());
        StageImport::Queue({Write(QStringLiteral("first.zumirak"), WriteStageFile(QStringLiteral("一"), Row))});
        QTest::qWait(300);
        QCOMPARE(kit->boxes.size(), std::size_t(0));
        QCOMPARE(PlayerStages::All().size(), std::size_t(0));
        main = std::make_unique<MainForm>();
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->show();
        QTRY_COMPARE(kit->boxes.size(), std::size_t(1));
        QCOMPARE(kit->boxes.back().text, QStringLiteral("ステージ30「一」を追加しました。"));
        QCOMPARE(main->Selection()->HScroll1->value(), 30);
    }

    void theRunningCopySaysWhatBecameOfEachFile()
    {
        struct Case {
            const char* name;
            QByteArray contents;
            QString said;  // the start of the message
        };
        const Rules::Figure cutOff({{0, 0}, {0, 1}, {9, 9}});
        const Case cases[] = {
            // Any character of a path arrives whole, a line break included.
            {"good \n%41 富士.zumirak", WriteStageFile(QStringLiteral("三つ"), Rules::Figure({{1, 1}, {1, 2}, {1, 3}})),
             QStringLiteral("ステージ31「三つ」を追加しました。")},
            {"again.zumirak", WriteStageFile(QStringLiteral("別名"), Row),
             QStringLiteral("「again.zumirak」と同じ形のステージの題名を変えました（ステージ30「別名」）。")},
            {"unclearable.zumirak", WriteStageFile(QStringLiteral("離れ"), cutOff),
             QStringLiteral("「unclearable.zumirak」はステージに追加できません。")},
            {"garbage.zumirak", QByteArray("not a stage"), QStringLiteral("「garbage.zumirak」はステージに追加できません。")},
        };
        for (const Case& c : cases) {
            const QString path = Write(QString::fromUtf8(c.name), c.contents);
            kit->boxes.clear();
            main->Selection()->LeafTo(0);
            // Handed over as given, relative to where the second copy started.
            QVERIFY(HandOverFromOutside({QDir::current().relativeFilePath(path)}));
            QTRY_COMPARE_WITH_TIMEOUT(kit->boxes.size(), std::size_t(1), 10000);
            QVERIFY2(kit->boxes.back().text.startsWith(c.said), qPrintable(kit->boxes.back().text));
        }
        QCOMPARE(PlayerStages::All().size(), std::size_t(2));
    }

    // A message box runs its own event loop: requests that come while it is
    // open wait for the next batch, and many refused files make one message.
    void anOpenMessageNeverStacksAnother()
    {
        int open = 0;
        int deepest = 0;
        QStringList said;
        SetMsgBoxResponderForTesting([&](const MsgBoxShown& box) {
            deepest = std::max(deepest, ++open);
            said << box.text;
            if (said.size() == 1) {
                HandOverFromOutside(Junk(40));
                QTest::qWait(100);  // the box stays open a moment longer
            }
            --open;
            return QMessageBox::Ok;
        });
        QVERIFY(HandOverFromOutside({Write(QStringLiteral("one.zumirak"), "junk")}));
        QTRY_COMPARE_WITH_TIMEOUT(said.size(), 2, 20000);
        QTest::qWait(100);
        QCOMPARE(said.size(), 2);
        QCOMPARE(deepest, 1);
        QVERIFY2(said[1].startsWith(QStringLiteral("次の40個のファイルはステージに追加できません。")), qPrintable(said[1]));
        QVERIFY(said[1].endsWith(QStringLiteral("ほか30個")));
        SetMsgBoxResponderForTesting([this](const MsgBoxShown& box) {
            kit->boxes.push_back(box);
            return QMessageBox::Ok;
        });
    }

    // Only a folder no one else may enter is used: a later copy refuses one
    // that group or others may read, and the running copy takes nothing.
    void onlyAPrivateFolderIsUsed()
    {
        const QByteArray spool = QFile::encodeName(StageFileHandover::SpoolFolder());
        const QString path = Write(QStringLiteral("private.zumirak"), WriteStageFile(QString(), Row));
        kit->boxes.clear();
        for (const mode_t mode : {0705, 0750, 0700}) {
            QVERIFY(::chmod(spool.constData(), mode) == 0);
            QCOMPARE(HandOverFromOutside({path}), mode == 0700);
        }
        QTRY_COMPARE(kit->boxes.size(), std::size_t(1));
    }

    void aBatchOfManyFilesGivesAMessageThatFits_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<int>("files");
        QTest::addColumn<QString>("lastLine");
        const QString already = QStringLiteral("のステージは既にあります");
        QTest::newRow("added") << QStringLiteral("横") << QStringLiteral("を追加しました。") << 25 << "ほか15個";
        QTest::newRow("already there") << QStringLiteral("横") << already << 25 << "ほか15個";
        QTest::newRow("renamed") << QStringLiteral("改名") << QStringLiteral("のステージの題名を変えました") << 25 << "ほか15個";
        // About the cap: every file named up to ten, and never "ほか0個".
        QTest::newRow("nine") << QStringLiteral("改名") << already << 9 << "";
        QTest::newRow("ten") << QStringLiteral("改名") << already << 10 << "";
        QTest::newRow("eleven") << QStringLiteral("改名") << already << 11 << "ほか1個";
    }

    // Many files of one kind: ten are named, the rest counted.
    void aBatchOfManyFilesGivesAMessageThatFits()
    {
        QFETCH(QString, title);
        QFETCH(QString, firstLine);
        QFETCH(int, files);
        QFETCH(QString, lastLine);
        QStringList paths;
        for (int i = 0; i < files; ++i)
            paths << Write(QStringLiteral("pair%1.zumirak").arg(i),
                           WriteStageFile(title, Rules::Figure({{10 + i / 5, i % 5 * 2}, {10 + i / 5, i % 5 * 2 + 1}})));
        kit->boxes.clear();
        StageImport::Queue(paths);
        QTRY_COMPARE_WITH_TIMEOUT(kit->boxes.size(), std::size_t(1), 20000);
        const QStringList lines = kit->boxes.back().text.split(QStringLiteral("\r\n"));
        QVERIFY2(lines.size() == std::min(files, 10) + !lastLine.isEmpty(), qPrintable(kit->boxes.back().text));
        QVERIFY2(lines.front().contains(firstLine), qPrintable(lines.front()));
        if (!lastLine.isEmpty())
            QCOMPARE(lines.back(), lastLine);
        else
            QVERIFY(lines.back().contains(firstLine));
    }

    void cleanupTestCase()
    {
        main.reset();
        kit.reset();
    }
};

QTEST_MAIN(FileHandoverTest)
#include "test_file_handover.moc"
