// SPDX-License-Identifier: GPL-3.0-or-later
// The sound routines and the mixer under them, on SDL's silent dummy device.
#include "shared/AppPath.h"
#include "sound/MixerModule.h"
#include "sound/WAVEMIX.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

using namespace WAVEMIX;
using Table = std::vector<std::uint32_t>;

namespace {
// The mixer module's table, loaded with the first session if not before.
const WaveMixLib& Mixer() { return *LoadWaveMixer(); }

// Run with this argument, a sound state and a way out, the test program
// stands in for the game: it puts the sound in that state and ends.
constexpr char EndingArgument[] = "--end-in-state";

int EndInState(const QString& state, const QString& way)
{
    SoundInit();
    SoundLoadWave(AppPath() + "/Back1.wav", 0);
    SoundLoadWave(AppPath() + "/Hit1.wav", 1);
    if (state == "music")
        SoundPlay(0, -1);
    if (state == "closed")
        SoundClose();
    for (int wait = 0; state != "music" && !Mixer().Resting() && wait < 500; ++wait)
        QThread::msleep(10);
    // Qt ends the program this way when it loses the display.
    if (way == "exit")
        std::exit(3);
    return 0;
}
} // namespace

class TestSoundModule : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void routinesAreHarmlessBeforeAnySession();
    void aModuleOfAnotherVersionIsRefused();
    void recordsAreBuiltByteForByte();
    void mixerRefusesMalformedRecordsAndStaleHandles();
    void tableGrowsToTheHighestChannelKeepingEntries();
    void unusableFilesAndChannelsStaySilent();
    void musicCutShortAfterItsHeaderEnds();
    void playsOnceLoopsAndStopsAtOnce();
    void closeReleasesWavesAndInitReplacesAnOpenSession();
    void outputRestsWhileSilentAndWakesToPlay();
    void failedActivationLeavesEveryRoutineHarmless();
    void observerSeesEveryCallFromOutside();
    void everyWayOutEndsTheProgram_data();
    void everyWayOutEndsTheProgram();

private:
    QString File(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir_.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }

    const QString hit_ = AppPath() + "/Hit1.wav";
    const QString back_ = AppPath() + "/Back1.wav";
    QTemporaryDir dir_;
    QStringList calls_;
};

void TestSoundModule::initTestCase()
{
    QVERIFY(QFile::exists(hit_));
    SetSoundCallObserverForTesting([this](std::string_view routine, int channel, int loops, const QString& file) {
        calls_ << QString("%1 %2 %3 %4").arg(QString::fromLatin1(routine.data(), qsizetype(routine.size()))).arg(channel).arg(loops).arg(QFileInfo(file).fileName());
    });
}

void TestSoundModule::cleanup()
{
    SoundClose();
    qputenv("SDL_AUDIODRIVER", "dummy");
    calls_.clear();
}

void TestSoundModule::routinesAreHarmlessBeforeAnySession()
{
    QVERIFY(!WaveTableExists);
    SoundPlay(0, -1);
    SoundLoadWave(hit_, 1);
    SoundStop(0);
    SoundClose();
    QCOMPARE(MixSession, 0u);
    QVERIFY(WaveTable.empty());
}

void TestSoundModule::aModuleOfAnotherVersionIsRefused()
{
    SetAppPathForTesting(QString::fromUtf8(qgetenv("ZUMIRAK_STALE_MIXER_DIR")));
    QVERIFY(QFile::exists(AppPath() + '/' + WaveMixModuleFile));
    QVERIFY(!LoadWaveMixer());
    SetAppPathForTesting({});
    QVERIFY(LoadWaveMixer());
}

void TestSoundModule::recordsAreBuiltByteForByte()
{
    const auto bytes = [](const auto& record) {
        return QByteArray(reinterpret_cast<const char*>(record.data()), static_cast<qsizetype>(record.size()));
    };
    QCOMPARE(bytes(ConfigRecord()), QByteArray::fromHex("0a00 0000 0100 0200 0000"));
    MixSession = 0x12345678;
    WaveTable = {0, 0, 0, 0x0A0B0C0D};
    QCOMPARE(bytes(PlayRecord(3, -1)), QByteArray::fromHex("1800 78563412 03000000 0d0c0b0a 00000000 0000 0500 ffff"));
    QCOMPARE(bytes(PlayRecord(3, 0)).right(2), QByteArray::fromHex("0000"));
    MixSession = 0;
}

void TestSoundModule::mixerRefusesMalformedRecordsAndStaleHandles()
{
    const std::uint8_t shortRecord[2] = {4, 0};
    QCOMPARE(Mixer().ConfigureInit(nullptr), 0u);
    QCOMPARE(Mixer().ConfigureInit(shortRecord), 0u);
    QCOMPARE(Mixer().Play(nullptr), WaveMixErrorBadParam);
    QCOMPARE(Mixer().Play(shortRecord), WaveMixErrorBadParam);
    QCOMPARE(Mixer().Activate(0, -1), WaveMixErrorBadHandle);

    QVERIFY(SoundInit());
    SoundLoadWave(hit_, 1);
    const std::uint32_t wave = WaveTable[1];
    // One device, one session at a time; a session cannot touch another's wave.
    const std::uint32_t other = Mixer().ConfigureInit(ConfigRecord().data());
    QCOMPARE(Mixer().Activate(other, -1), WaveMixErrorBusy);
    QCOMPARE(Mixer().FreeWave(other, wave), WaveMixErrorBadHandle);
    QCOMPARE(Mixer().CloseSession(other), WaveMixOk);
    QCOMPARE(Mixer().CloseSession(other), WaveMixErrorBadHandle);

    for (const int channel : {-1, WaveMixChannelCount}) {
        QCOMPARE(Mixer().OpenChannel(MixSession, channel, 0), WaveMixErrorBadParam);
        QCOMPARE(Mixer().FlushChannel(MixSession, channel, 0), WaveMixErrorBadParam);
        QCOMPARE(Mixer().Play(MixRecords::BuildPlay(MixSession, channel, wave, 0).data()), WaveMixErrorBadParam);
    }
    QCOMPARE(Mixer().Play(MixRecords::BuildPlay(MixSession, 2, wave, 0).data()), WaveMixErrorBadParam);  // not opened
    QCOMPARE(Mixer().Activate(MixSession, 0), WaveMixOk);
    QCOMPARE(Mixer().Play(PlayRecord(1, 0).data()), WaveMixErrorNotActive);
    QCOMPARE(Mixer().Activate(MixSession, -1), WaveMixOk);
    QCOMPARE(Mixer().FreeWave(MixSession, wave), WaveMixOk);
    QCOMPARE(Mixer().FreeWave(MixSession, wave), WaveMixErrorBadHandle);
    QCOMPARE(Mixer().Play(PlayRecord(1, 0).data()), WaveMixErrorBadHandle);
    WaveTable[1] = 0;  // freed behind the module's back
}

void TestSoundModule::tableGrowsToTheHighestChannelKeepingEntries()
{
    QVERIFY(SoundInit());
    QCOMPARE(WaveTable, Table{0});
    SoundLoadWave(hit_, 1);
    const std::uint32_t hit = WaveTable[1];
    SoundLoadWave(back_, 3);
    SoundLoadWave(back_, 2);
    QCOMPARE(WaveTable.size(), 4u);
    QCOMPARE(WaveTable[1], hit);
    QVERIFY(WaveTable[2] != 0 && WaveTable[3] != 0);

    // Reloading a channel releases the wave it held.
    SoundLoadWave(back_, 1);
    QVERIFY(WaveTable[1] != 0 && WaveTable[1] != hit);
    QCOMPARE(Mixer().FreeWave(MixSession, hit), WaveMixErrorBadHandle);

    QVERIFY(SoundInit());
    QCOMPARE(WaveTable, Table{0});
}

void TestSoundModule::unusableFilesAndChannelsStaySilent()
{
    const QStringList unusable = {
        dir_.filePath("missing.wav"), dir_.path(), QString(), File("empty.wav", {}),
        File("text.wav", "not a wave at all, only words"),
        File("header.wav", QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16)),
        // A long wave, so streamed, in an encoding no decoder knows.
        File("long.wav", QByteArray::fromHex("52494646ffffff7f 57415645 666d742010000000 3412 0100 44ac0000 88580100 0200 1000"
                                             "64617461ffffff7f 0000")),
        File("short.wav", QByteArray::fromHex("5249464628000000 57415645 666d742010000000 3412 0100 44ac0000 88580100 0200 1000"
                                              "6461746104000000 00000000")),
        // A sound file SDL could decode, but no wave: an AIFF of two frames.
        File("sound.wav", QByteArray::fromHex("464f524d00000032 41494646 434f4d4d00000012 0001 00000002 0010"
                                              "400dac44000000000000 53534e440000000c 0000000000000000 12345678")),
    };

    QVERIFY(SoundInit());
    SoundPlay(0, -1);  // nothing loaded yet
    QVERIFY(!Mixer().ChannelSounding(0));
    for (const QString& file : unusable) {
        SoundLoadWave(file, 2);
        SoundPlay(2, 0);
        QVERIFY2(WaveTable[2] == 0 && !Mixer().ChannelSounding(2), qPrintable(file));
    }

    for (const int channel : {-1, WaveMixChannelCount, 1 << 30}) {  // channels the mixer does not have
        SoundLoadWave(hit_, channel);
        SoundPlay(channel, 0);
        SoundStop(channel);
    }
    QCOMPARE(WaveTable.size(), 3u);
}

void TestSoundModule::musicCutShortAfterItsHeaderEnds()
{
    // Long by its header, so read as it plays, but the file ends with the
    // header: looping for ever finds nothing to repeat, and the music ends
    // instead of holding the output in an endless loop.
    const QString cut = File("cut.wav", QByteArray::fromHex("52494646ffffff7f 57415645 666d742010000000 0100 0100 44ac0000"
                                                            "88580100 0200 1000 64617461ffffff7f"));
    QVERIFY(SoundInit());
    SoundLoadWave(cut, 0);
    QVERIFY(WaveTable[0] != 0);
    SoundPlay(0, -1);
    QTRY_VERIFY_WITH_TIMEOUT(!Mixer().ChannelSounding(0), 5000);
}

void TestSoundModule::playsOnceLoopsAndStopsAtOnce()
{
    QVERIFY(SoundInit());
    SoundLoadWave(back_, 0);
    SoundLoadWave(hit_, 1);
    SoundLoadWave(hit_, WaveMixChannelCount - 1);
    SoundPlay(0, -1);
    SoundPlay(1, 0);
    SoundPlay(WaveMixChannelCount - 1, 0);
    QVERIFY(Mixer().ChannelSounding(0) && Mixer().ChannelSounding(1) && Mixer().ChannelSounding(WaveMixChannelCount - 1));
    QTRY_VERIFY_WITH_TIMEOUT(!Mixer().ChannelSounding(1), 5000);  // the effect ends by itself
    QVERIFY(Mixer().ChannelSounding(0));
    SoundStop(0);
    QVERIFY(!Mixer().ChannelSounding(0));
}

void TestSoundModule::closeReleasesWavesAndInitReplacesAnOpenSession()
{
    QVERIFY(SoundInit());
    const std::uint32_t first = MixSession;
    QVERIFY(SoundInit());
    QCOMPARE(Mixer().Activate(first, -1), WaveMixErrorBadHandle);

    SoundLoadWave(back_, 0);
    SoundPlay(0, -1);
    const Table table = WaveTable;
    const std::uint32_t session = MixSession;
    SoundClose();
    QCOMPARE(MixSession, 0u);
    QCOMPARE(WaveTable, table);  // left as it was
    QVERIFY(!Mixer().ChannelSounding(0));
    QCOMPARE(Mixer().FreeWave(session, table[0]), WaveMixErrorBadHandle);
    SoundPlay(0, -1);
}

void TestSoundModule::outputRestsWhileSilentAndWakesToPlay()
{
    // The device carries over from a closed session to the next.
    QVERIFY(SoundInit());
    SoundClose();
    QVERIFY(SoundInit());
    SoundLoadWave(hit_, 1);
    QTRY_VERIFY_WITH_TIMEOUT(Mixer().Resting(), 5000);
    const std::uint64_t rested = Mixer().FramesMixed();
    const std::uint64_t wakeUps = Mixer().WakeUps();
    // Asking about a channel, or silencing one, leaves it asleep.
    QVERIFY(!Mixer().ChannelSounding(1));
    SoundStop(1);
    QTest::qWait(100);
    QCOMPARE(Mixer().FramesMixed(), rested);  // not a buffer while at rest
    QCOMPARE(Mixer().WakeUps(), wakeUps);
    SoundPlay(1, 0);
    QCOMPARE(Mixer().WakeUps(), wakeUps + 1);
    QVERIFY(Mixer().ChannelSounding(1));
    QTRY_VERIFY(Mixer().FramesMixed() > rested);
    QTRY_VERIFY_WITH_TIMEOUT(!Mixer().ChannelSounding(1) && Mixer().Resting(), 5000);
}

void TestSoundModule::failedActivationLeavesEveryRoutineHarmless()
{
    // The device stays open from one session to the next: close it, so
    // that the next activation probes it again.
    Mixer().CloseDevice();
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    for (int visit = 0; visit < 2; ++visit) {
        QVERIFY(!SoundInit());
        QCOMPARE(MixSession, 0u);
        SoundLoadWave(hit_, 1);
        SoundPlay(1, 0);
        SoundPlay(0, -1);
        SoundStop(0);
        SoundClose();
        QCOMPARE(WaveTable, Table{0});
    }
    qputenv("SDL_AUDIODRIVER", "dummy");
    QVERIFY(SoundInit());  // the next visit has sound again
}

void TestSoundModule::observerSeesEveryCallFromOutside()
{
    SoundInit();
    SoundLoadWave(hit_, 1);
    SoundLoadWave(hit_, 1);  // stops and frees the old wave inside: not reported
    SoundPlay(1, 0);
    SoundStop(0);
    SoundClose();
    SoundPlay(0, -1);  // reported without a session too
    QCOMPARE(calls_, QStringList({"SoundInit -1 0 ", "SoundLoadWave 1 0 Hit1.wav", "SoundLoadWave 1 0 Hit1.wav",
                                  "SoundPlay 1 0 ", "SoundStop 0 0 ", "SoundClose -1 0 ", "SoundPlay 0 -1 "}));
}

void TestSoundModule::everyWayOutEndsTheProgram_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("exitCode");
    // "open": a stage open with the sound off, or after its clear;
    // "closed": no stage open, the output kept at rest for the next one.
    for (const char* state : {"open", "closed", "music"}) {
        QTest::addRow("%s, display lost", state) << state << "exit" << 3;
        QTest::addRow("%s, window closed", state) << state << "return" << 0;
    }
}

void TestSoundModule::everyWayOutEndsTheProgram()
{
    QFETCH(QString, state);
    QFETCH(QString, way);
    QFETCH(int, exitCode);
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QCoreApplication::applicationFilePath(), {EndingArgument, state, way});
    // Well within this: the output rests half a second after the last sound.
    const bool ended = program.waitForFinished(5000);
    if (!ended) {
        program.kill();
        program.waitForFinished();
    }
    QVERIFY2(ended, "the program hangs at its end");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], EndingArgument) == 0)
        return EndInState(QString::fromUtf8(argv[2]), QString::fromUtf8(argv[3]));
    TestSoundModule test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_sound_module.moc"
