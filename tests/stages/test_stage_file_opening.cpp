// SPDX-License-Identifier: GPL-3.0-or-later
// The stage-file reader looks at what it opened, not at what the path was a
// moment before: a file given way to a pipe in between (by a player, or by
// another program writing the folder) is refused, never waited on.
#include "stages/StageFile.h"

#include <QtTest>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class StageFileOpeningTest : public QObject {
    Q_OBJECT

private slots:
    void aFileSwappedForAPipeIsRefusedWithoutWaiting()
    {
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("swapped.zumirak")));
        const QByteArray spare = QFile::encodeName(dir.filePath(QStringLiteral("spare")));
        const QByteArray pipe = QFile::encodeName(dir.filePath(QStringLiteral("pipe")));
        const QByteArray regular = QFile::encodeName(dir.filePath(QStringLiteral("regular.zumirak")));
        QFile file(QFile::decodeName(regular));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[Stage]\nTitle=甲\nLayout=0000,0000,0600,0000,\n") > 0);
        file.close();
        QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        QCOMPARE(::link(regular.constData(), path.constData()), 0);

        // The path goes back and forth between the file and the pipe, each
        // step one rename, while it is read over and over.
        std::atomic<bool> stop = false;
        std::thread swapper([&] {
            for (bool toPipe = true; !stop; toPipe = !toPipe) {
                ::link(toPipe ? pipe.constData() : regular.constData(), spare.constData());
                ::rename(spare.constData(), path.constData());
            }
        });
        std::atomic<int> read = 0, refused = 0, otherwise = 0;
        auto reader = std::async(std::launch::async, [&] {
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while (std::chrono::steady_clock::now() < end) {
                const StageFileReading reading = ReadStageFileAt(QFile::decodeName(path));
                if (reading.ok())
                    ++read;
                else if (reading.reasonForLog == QLatin1String("cannot be read (not a regular file)"))
                    ++refused;
                else
                    ++otherwise;
            }
        });
        const bool finished = reader.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
        stop = true;
        swapper.join();
        // A reader stuck in the pipe is let go by a writer that comes and goes.
        while (reader.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
            if (const int writer = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK); writer >= 0)
                ::close(writer);
        }
        QVERIFY2(finished, "the reader waited on a pipe");
        QVERIFY(read > 0 && refused > 0);
        QCOMPARE(otherwise.load(), 0);
    }
};

QTEST_GUILESS_MAIN(StageFileOpeningTest)
#include "test_stage_file_opening.moc"
