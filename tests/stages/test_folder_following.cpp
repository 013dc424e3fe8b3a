// SPDX-License-Identifier: GPL-3.0-or-later
// Following a folder: which stage files are to be read again, on a clock the
// test drives (no machine's load changes a verdict), and the watch that
// names what changed, whatever goes on beside the stage files.
#include "stages/FolderScan.h"
#include "stages/FolderWatch.h"

#include <QtTest>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>

namespace {

constexpr qint64 Ms = 1'000'000;

// Writes `bytes` at `path` in place (appending or not), and gives the file
// the modification time `modifiedNs`: the test's clock, not the machine's.
void WriteAt(const QString& path, const QByteArray& bytes, bool append, qint64 modifiedNs)
{
    QFile file(path);
    QVERIFY(file.open(append ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    const timespec times[2] = {{0, UTIME_OMIT}, {time_t(modifiedNs / 1'000'000'000), long(modifiedNs % 1'000'000'000)}};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// A writer that changes `path` every 30 ms until it is destroyed.
struct BusyWriter {
    std::atomic<bool> stop = false;
    std::thread thread;
    explicit BusyWriter(const QString& path)
        : thread([this, name = QFile::encodeName(path)] {
              while (!stop) {
                  const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
                  if (fd >= 0 && ::write(fd, "x\n", 2) >= 0)
                      ::close(fd);
                  std::this_thread::sleep_for(std::chrono::milliseconds(30));
              }
          })
    {
    }
    ~BusyWriter()
    {
        stop = true;
        thread.join();
    }
};

} // namespace

class TestFolderFollowing : public QObject {
    Q_OBJECT

private slots:
    // Steps at moments of the test's clock, in ms: w (a file written whole),
    // a (appended to), e (written again in place, at the same length: a title
    // 甲 fixed to 乙), r (removed); l:<what the look finds> for the file:
    // ready (to be read), waiting (still being written), unchanged, gone.
    void whatALookFinds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("steps");
        QTest::newRow("half written, quiet for 1999 ms")
            << "0001.zumirak" << "w0 l0:waiting a1500 l1500:waiting l2000:waiting l3499:waiting l3500:ready";
        QTest::newRow("its own times 2 s old when first seen") << "0001.zumirak" << "w0 l1999:waiting l2000:ready";
        QTest::newRow("never quiet: taken after the longest wait")
            << "0001.zumirak" << "w0 l0:waiting a1000 a2000 a3000 a4000 l4999:waiting l5000:ready a5500 l5500:waiting";
        QTest::newRow("edited in place, the length kept") << "0001.zumirak" << "w0 l2000:ready e3000 l5000:ready l6000:unchanged";
        QTest::newRow("removed") << "0001.zumirak" << "w0 l2000:ready r3000 l3000:gone";
        QTest::newRow("not a stage file") << "download.part" << "w0 l0:unchanged a1000 l9000:unchanged";
    }
    void whatALookFinds()
    {
        QFETCH(QString, name);
        QFETCH(QString, steps);
        QTemporaryDir folder;
        QHash<QString, FolderScan::Signature> taken;
        FolderScan scan(folder.path(), QStringLiteral("zumirak"), [&taken](const QString& file) {
            return taken.contains(file) ? std::optional(taken.value(file)) : std::nullopt;
        });
        const QString path = folder.filePath(name);
        // The test's clock starts an hour ahead of the machine's, so that the
        // file's own times are those the test gives it, never the moment the
        // machine came round to writing it.
        const qint64 start = FolderScan::ClockNow().wallNs + 3600'000 * Ms;
        for (const QString& step : steps.split(u' ')) {
            const QStringList parts = step.mid(1).split(u':');
            const qint64 at = parts[0].toLongLong() * Ms;
            switch (step[0].toLatin1()) {
            case 'w': WriteAt(path, "[Stage]\nTitle=甲\nLayout=0000,0000,", false, start + at); break;
            case 'a': WriteAt(path, "0600,0000,", true, start + at); break;
            case 'e': WriteAt(path, "[Stage]\nTitle=乙\nLayout=0000,0000,", false, start + at); break;
            case 'r': QVERIFY(QFile::remove(path)); break;
            case 'l': {
                const FolderScan::Changes changes = scan.Look({name}, {start + at, at});
                const QString found = changes.ready.contains(name) ? QStringLiteral("ready")
                                      : changes.gone.contains(name) ? QStringLiteral("gone")
                                      : changes.lookAgainNs         ? QStringLiteral("waiting")
                                                                    : QStringLiteral("unchanged");
                QVERIFY2(found == parts[1], qPrintable(step + QStringLiteral(": ") + found));
                // Read as the list reads it: the signature taken with it.
                if (found == QLatin1String("ready"))
                    taken.insert(name, *FolderScan::SignatureOf(path));
                if (found == QLatin1String("gone"))
                    taken.remove(name);
                if (found == QLatin1String("waiting"))
                    QVERIFY(*changes.lookAgainNs > at);
                break;
            }
            default: QFAIL(qPrintable(step));
            }
        }
    }

    // A download in progress beside the stage files, or a folder renamed
    // away and made again with a writer still busy in the old one: a stage
    // file dropped in the folder now is named at once.
    void theWatchNamesTheStageFileWhateverGoesOnBeside_data()
    {
        QTest::addColumn<bool>("folderMadeAgain");
        QTest::newRow("a download beside") << false;
        QTest::newRow("the folder renamed away and made again") << true;
    }
    void theWatchNamesTheStageFileWhateverGoesOnBeside()
    {
        QFETCH(bool, folderMadeAgain);
        QTemporaryDir data;
        const QString folder = data.filePath(QStringLiteral("stages"));
        QVERIFY(QDir().mkpath(folder));
        FolderWatch watch(folder);
        QStringList named;
        int wholeFolder = 0;
        connect(&watch, &FolderWatch::NamesChanged, this, [&named](const QStringList& names) { named += names; });
        connect(&watch, &FolderWatch::FolderChanged, this, [&wholeFolder] { ++wholeFolder; });
        QString busy = folder + QStringLiteral("/download.part");
        if (folderMadeAgain) {
            QVERIFY(QDir().rename(folder, folder + QStringLiteral(".old")));
            QVERIFY(QDir().mkpath(folder));
            QTRY_VERIFY(wholeFolder > 0);
            busy = folder + QStringLiteral(".old/download.zumirak");
        }
        const BusyWriter writer(busy);
        QTest::qWait(300);
        named.clear();
        QFile stage(folder + QStringLiteral("/0001.zumirak"));
        QVERIFY(stage.open(QIODevice::WriteOnly));
        stage.close();
        QTRY_VERIFY(named.contains(QStringLiteral("0001.zumirak")));
        // What goes on in the old folder reaches nobody.
        if (folderMadeAgain)
            QVERIFY2(!named.contains(QStringLiteral("download.zumirak")), qPrintable(named.join(u' ')));
    }
};

QTEST_GUILESS_MAIN(TestFolderFollowing)
#include "test_folder_following.moc"
