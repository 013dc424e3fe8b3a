// A stage file opened while the game runs reaches the running copy: the path
// arrives whole and absolute, whatever its characters, and a copy that finds
// no listener knows it at once.
#include "app/StageFileHandover.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

#include <future>

class FileHandoverTest : public QObject {
    Q_OBJECT

private slots:
    void noListenerNoHandover()
    {
        QVERIFY(!StageFileHandover::HandOver(QStringLiteral("/tmp/x.zumirak"), 500));
    }

    void pathsArriveWholeAndAbsolute()
    {
        StageFileReceiver receiver;
        QVERIFY(receiver.Listen());
        QSignalSpy received(&receiver, &StageFileReceiver::FileReceived);
        const QString paths[] = {
            QStringLiteral("/tmp/富士山.zumirak"),
            QStringLiteral("/tmp/with space/and\nline %41.zumirak"),
            QStringLiteral("relative/ステージ.zumirak"),
        };
        for (const QString& path : paths) {
            std::future<bool> sent = std::async(std::launch::async, [path] { return StageFileHandover::HandOver(path); });
            QTRY_VERIFY(sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
            QVERIFY2(sent.get(), qPrintable(path));
            QCOMPARE(received.size(), 1);
            QCOMPARE(received.takeFirst().at(0).toString(), QDir::current().absoluteFilePath(path));
        }
    }
};

QTEST_GUILESS_MAIN(FileHandoverTest)
#include "test_file_handover.moc"
