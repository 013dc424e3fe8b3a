// SPDX-License-Identifier: GPL-3.0-or-later
// A stage file opened while the game runs reaches the running copy, whatever
// the characters of its path and relative or not; the running copy imports a
// good stage and says why it refuses a bad one; a copy that finds no listener
// knows it at once.
#include "app/StageFileHandover.h"
#include "shared/MsgBox.h"
#include "stages/PlayerStages.h"
#include "stages/StageFile.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <future>

namespace {

// Hands `path` over from another thread, as a second copy would, while this
// one goes on serving its event loop.
bool HandOverFromOutside(const QString& path)
{
    std::future<bool> sent = std::async(std::launch::async, [path] { return StageFileHandover::HandOver(path); });
    while (sent.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return sent.get();
}

} // namespace

class FileHandoverTest : public QObject {
    Q_OBJECT

private slots:
    void noListenerNoHandover()
    {
        QVERIFY(!StageFileHandover::HandOver(QStringLiteral("/tmp/x.zumirak"), 500));
    }

    void theRunningCopyImportsWhatItIsHanded()
    {
        QDir(PlayerStages::Folder()).removeRecursively();
        PlayerStages::Reload();
        QStringList messages;
        SetMsgBoxResponderForTesting([&messages](const MsgBoxShown& box) {
            messages << box.text;
            return QMessageBox::Ok;
        });
        QVERIFY(StageFileHandover::ImportHandedStageFiles());

        struct Case {
            const char* name;
            QByteArray contents;
            bool imported;
        };
        const Rules::Figure row({{4, 4}, {4, 5}, {4, 6}});
        const Rules::Figure cutOff({{0, 0}, {0, 1}, {9, 9}});
        const Case cases[] = {
            // Any character of a path arrives whole, a line break included.
            {"good \n%41 富士.zumirak", WriteStageFile(QStringLiteral("三つ"), row), true},
            {"unclearable.zumirak", WriteStageFile(QStringLiteral("離れ"), cutOff), false},
            {"garbage.zumirak", QByteArray("not a stage"), false},
        };
        QTemporaryDir folder;
        for (const Case& c : cases) {
            const QString path = folder.filePath(QString::fromUtf8(c.name));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(c.contents) == c.contents.size());
            file.close();
            const qsizetype before = qsizetype(PlayerStages::All().size());
            messages.clear();
            // Handed over as given, relative to where the second copy started.
            QVERIFY(HandOverFromOutside(QDir::current().relativeFilePath(path)));
            QTRY_VERIFY2(qsizetype(PlayerStages::All().size()) > before || !messages.isEmpty(), c.name);
            QCOMPARE(qsizetype(PlayerStages::All().size()) == before + 1, c.imported);
            QCOMPARE(messages.isEmpty(), c.imported);
        }
        QCOMPARE(PlayerStages::All().front().figure, row);
        SetMsgBoxResponderForTesting({});
    }
};

QTEST_MAIN(FileHandoverTest)
#include "test_file_handover.moc"
