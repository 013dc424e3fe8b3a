// SPDX-License-Identifier: GPL-3.0-or-later
// The stage-file reader reads what it opened, not what the path was a moment
// before: a file given way to a pipe in between is refused, never waited on.
#include "stages/StageFile.h"

#include <QtTest>

#include <atomic>
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
        const auto name = [&](const char* file) { return QFile::encodeName(dir.filePath(QLatin1String(file))); };
        const QByteArray path = name("swapped.zumirak"), spare = name("spare"), pipe = name("pipe"), regular = name("file");
        QFile file(QFile::decodeName(regular));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[Stage]\nLayout=0000,0000,0600,0000,\n") > 0);
        file.close();
        QVERIFY(::mkfifo(pipe.constData(), 0600) == 0 && ::link(regular.constData(), path.constData()) == 0);

        // The path goes back and forth between the two, one rename a step, while it is read.
        std::atomic<bool> stop = false;
        std::thread swapper([&] {
            for (bool toPipe = true; !stop; toPipe = !toPipe) {
                ::link((toPipe ? pipe : regular).constData(), spare.constData());
                ::rename(spare.constData(), path.constData());
            }
        });
        std::atomic<int> read = 0, refused = 0, otherwise = 0;
        auto reader = std::async(std::launch::async, [&] {
            QElapsedTimer timer;
            timer.start();
            while (timer.elapsed() < 2000) {
                const StageFileReading reading = ReadStageFileAt(QFile::decodeName(path));
                ++(reading.ok() ? read : reading.reasonForLog == QLatin1String("cannot be read (not a regular file)") ? refused : otherwise);
            }
        });
        const bool finished = reader.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
        stop = true;
        swapper.join();
        // A reader stuck on the pipe is let go by a writer that comes and goes.
        while (reader.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
            if (const int writer = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK); writer >= 0)
                ::close(writer);
        }
        QVERIFY2(finished, "the reader waited on a pipe");
        QVERIFY(read > 0 && refused > 0 && otherwise == 0);
    }
};

QTEST_GUILESS_MAIN(StageFileOpeningTest)
#include "test_stage_file_opening.moc"
