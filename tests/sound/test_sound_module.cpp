// The sound routines and the mixer under them, on SDL's silent dummy device.
#include "SoundTestKit.h"

#include "app/AppPath.h"
#include "sound/WAVEMIX.h"
#include "sound/WaveMixLib.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace WAVEMIX;

namespace {

struct Call {
    std::string routine;
    std::int32_t channel;
    std::int32_t loops;
    QString fileName;
    bool operator==(const Call&) const = default;
};

QByteArray Bytes(const auto& record)
{
    return QByteArray(reinterpret_cast<const char*>(record.data()), static_cast<qsizetype>(record.size()));
}

} // namespace

class TestSoundModule : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void routinesAreHarmlessBeforeAnySession();
    void recordsAreBuiltByteForByte();
    void mixerRefusesMalformedRecordsAndStaleHandles();
    void tableGrowsToTheHighestChannelKeepingEntries();
    void unusableFilesAndChannelsStaySilent();
    void playsOnceLoopsAndStopsAtOnce();
    void closeReleasesWavesAndInitReplacesAnOpenSession();
    void failedActivationLeavesEveryRoutineHarmless();
    void observerSeesEveryCallFromOutside();

private:
    QString Hit() const { return AppPath() + "/Hit1.wav"; }
    QString Back() const { return AppPath() + "/Back1.wav"; }

    QTemporaryDir dir_;
    std::vector<Call> calls_;
};

void TestSoundModule::initTestCase()
{
    QVERIFY(dir_.isValid());
    QVERIFY(QFile::exists(Hit()));
    SetSoundCallObserverForTesting([this](std::string_view routine, std::int32_t channel, std::int32_t loops,
                                          const QString& fileName) {
        calls_.push_back({std::string(routine), channel, loops, fileName});
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
    SoundLoadWave(Hit(), 1);
    SoundStop(0);
    SoundClose();
    QCOMPARE(MixSession, 0u);
    QVERIFY(WaveTable.empty());
}

void TestSoundModule::recordsAreBuiltByteForByte()
{
    QCOMPARE(Bytes(ConfigRecord()), QByteArray::fromHex("0a00 0000 0100 0200 0000"));

    MixSession = 0x12345678;
    WaveTable = {0, 0, 0, 0x0A0B0C0D};
    QCOMPARE(Bytes(PlayRecord(3, -1)),
             QByteArray::fromHex("1800 78563412 03000000 0d0c0b0a 00000000 0000 0500 ffff"));
    QCOMPARE(Bytes(PlayRecord(3, 0)).right(2), QByteArray::fromHex("0000"));
    MixSession = 0;

    // The mixer reads back what the module wrote.
    const auto play = MixRecords::ReadPlay(MixRecords::BuildPlay(7, 2, 9, MixRecords::LoopForever).data());
    QVERIFY(play);
    QCOMPARE(play->session, 7u);
    QCOMPARE(play->channel, 2);
    QCOMPARE(play->wave, 9u);
    QCOMPARE(play->loops, 0xFFFF);
}

void TestSoundModule::mixerRefusesMalformedRecordsAndStaleHandles()
{
    std::uint8_t shortRecord[2] = {4, 0};
    QCOMPARE(WaveMixConfigureInit(nullptr), 0u);
    QCOMPARE(WaveMixConfigureInit(shortRecord), 0u);
    QCOMPARE(WaveMixPlay(nullptr), WaveMixErrorBadParam);
    QCOMPARE(WaveMixPlay(shortRecord), WaveMixErrorBadParam);
    QCOMPARE(WaveMixActivate(0, -1), WaveMixErrorBadHandle);

    QVERIFY(SoundInit());
    SoundLoadWave(Hit(), 1);
    const std::uint32_t wave = WaveTable[1];
    QVERIFY(wave != 0);
    // One device, one session at a time.
    const std::uint32_t other = WaveMixConfigureInit(ConfigRecord().data());
    QCOMPARE(WaveMixActivate(other, -1), WaveMixErrorBusy);
    QCOMPARE(WaveMixFreeWave(other, wave), WaveMixErrorBadHandle);
    QCOMPARE(WaveMixCloseSession(other), WaveMixOk);
    QCOMPARE(WaveMixCloseSession(other), WaveMixErrorBadHandle);

    QCOMPARE(WaveMixOpenChannel(MixSession, WaveMixChannelCount, 0), WaveMixErrorBadParam);
    QCOMPARE(WaveMixPlay(MixRecords::BuildPlay(MixSession, 2, wave, 0).data()), WaveMixErrorBadParam);
    QCOMPARE(WaveMixActivate(MixSession, 0), WaveMixOk);
    QCOMPARE(WaveMixPlay(PlayRecord(1, 0).data()), WaveMixErrorNotActive);
    QCOMPARE(WaveMixActivate(MixSession, -1), WaveMixOk);
    QCOMPARE(WaveMixFreeWave(MixSession, wave), WaveMixOk);
    QCOMPARE(WaveMixFreeWave(MixSession, wave), WaveMixErrorBadHandle);
    QCOMPARE(WaveMixPlay(PlayRecord(1, 0).data()), WaveMixErrorBadHandle);
    QVERIFY(!WaveMixChannelSounding(1));
    WaveTable[1] = 0;  // freed behind the module's back
}

void TestSoundModule::tableGrowsToTheHighestChannelKeepingEntries()
{
    QVERIFY(SoundInit());
    QCOMPARE(WaveTable, std::vector<std::uint32_t>{0});
    SoundLoadWave(Hit(), 1);
    const std::uint32_t hit = WaveTable[1];
    SoundLoadWave(Back(), 3);
    QCOMPARE(WaveTable.size(), 4u);
    QCOMPARE(WaveTable[1], hit);
    QCOMPARE(WaveTable[2], 0u);
    QVERIFY(WaveTable[3] != 0);
    SoundLoadWave(Back(), 2);
    QCOMPARE(WaveTable.size(), 4u);
    QCOMPARE(WaveTable[1], hit);

    // Reloading a channel releases the wave it held.
    SoundLoadWave(Back(), 1);
    QVERIFY(WaveTable[1] != 0 && WaveTable[1] != hit);
    QCOMPARE(WaveMixFreeWave(MixSession, hit), WaveMixErrorBadHandle);

    QVERIFY(SoundInit());
    QCOMPARE(WaveTable, std::vector<std::uint32_t>{0});
}

void TestSoundModule::unusableFilesAndChannelsStaySilent()
{
    const QString missing = dir_.filePath("missing.wav");
    const QString empty = dir_.filePath("empty.wav");
    const QString text = dir_.filePath("text.wav");
    const QString headerOnly = dir_.filePath("header.wav");
    const QString unicode = dir_.filePath(u"音 ♪ テスト 😀.wav"_qs);
    QFile(empty).open(QIODevice::WriteOnly);
    QFile textFile(text);
    QVERIFY(textFile.open(QIODevice::WriteOnly));
    textFile.write("not a wave at all, only words");
    textFile.close();
    QFile header(headerOnly);
    QVERIFY(header.open(QIODevice::WriteOnly));
    header.write(QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16));
    header.close();
    // A sound file, but no wave: an AIFF of two frames at 22050 Hz.
    const QString aiff = dir_.filePath("sound.wav");
    QFile aiffFile(aiff);
    QVERIFY(aiffFile.open(QIODevice::WriteOnly));
    aiffFile.write(QByteArray::fromHex("464f524d00000032" "41494646"                       // FORM, AIFF
                                       "434f4d4d00000012" "0001" "00000002" "0010" "400dac44000000000000"
                                       "53534e440000000c" "0000000000000000" "12345678"));  // SSND
    aiffFile.close();
    QVERIFY(WriteTone(unicode, 440, 0.1));

    QVERIFY(SoundInit());
    SoundPlay(0, -1);  // nothing loaded yet
    QVERIFY(!WaveMixChannelSounding(0));
    for (const QString& file : {missing, empty, text, headerOnly, aiff, dir_.path(), QString()}) {
        SoundLoadWave(file, 2);
        QCOMPARE(WaveTable[2], 0u);
        SoundPlay(2, 0);
        QVERIFY2(!WaveMixChannelSounding(2), qPrintable(file));
    }
    SoundLoadWave(unicode, 2);
    QVERIFY(WaveTable[2] != 0);

    // Channels the mixer does not have are ignored.
    for (const int channel : {-1, WaveMixChannelCount, 1 << 30}) {
        SoundLoadWave(Hit(), channel);
        SoundPlay(channel, 0);
        SoundStop(channel);
    }
    QCOMPARE(WaveTable.size(), 3u);
}

void TestSoundModule::playsOnceLoopsAndStopsAtOnce()
{
    QVERIFY(SoundInit());
    SoundLoadWave(Back(), 0);
    SoundLoadWave(Hit(), 1);
    SoundLoadWave(Hit(), WaveMixChannelCount - 1);
    SoundPlay(0, -1);
    SoundPlay(1, 0);
    SoundPlay(WaveMixChannelCount - 1, 0);
    QVERIFY(WaveMixChannelSounding(0));
    QVERIFY(WaveMixChannelSounding(1));
    QVERIFY(WaveMixChannelSounding(WaveMixChannelCount - 1));
    QTRY_VERIFY_WITH_TIMEOUT(!WaveMixChannelSounding(1), 5000);  // the effect ends by itself
    QVERIFY(WaveMixChannelSounding(0));
    SoundStop(0);
    QVERIFY(!WaveMixChannelSounding(0));
}

void TestSoundModule::closeReleasesWavesAndInitReplacesAnOpenSession()
{
    QVERIFY(SoundInit());
    const std::uint32_t first = MixSession;
    QVERIFY(SoundInit());
    QVERIFY(MixSession != first);
    QCOMPARE(WaveMixActivate(first, -1), WaveMixErrorBadHandle);

    SoundLoadWave(Back(), 0);
    SoundPlay(0, -1);
    const std::vector<std::uint32_t> table = WaveTable;
    const std::uint32_t session = MixSession;
    SoundClose();
    QCOMPARE(MixSession, 0u);
    QCOMPARE(WaveTable, table);  // left as it was
    QVERIFY(!WaveMixChannelSounding(0));
    QCOMPARE(WaveMixFreeWave(session, table[0]), WaveMixErrorBadHandle);
    QVERIFY(!WaveMixOpenedFormat());
    SoundPlay(0, -1);
    SoundClose();
}

void TestSoundModule::failedActivationLeavesEveryRoutineHarmless()
{
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    for (int visit = 0; visit < 2; ++visit) {
        QVERIFY(!SoundInit());
        QCOMPARE(MixSession, 0u);
        SoundLoadWave(Hit(), 1);
        SoundPlay(1, 0);
        SoundPlay(0, -1);
        SoundStop(0);
        SoundClose();
        QCOMPARE(WaveTable, std::vector<std::uint32_t>{0});
    }
    qputenv("SDL_AUDIODRIVER", "dummy");
    QVERIFY(SoundInit());  // the next visit has sound again
}

void TestSoundModule::observerSeesEveryCallFromOutside()
{
    SoundInit();
    SoundLoadWave(Hit(), 1);
    SoundLoadWave(Hit(), 1);  // stops and frees the old wave inside: not reported
    SoundPlay(1, 0);
    SoundStop(0);
    SoundClose();
    SoundPlay(0, -1);  // reported without a session too
    const std::vector<Call> expected = {
        {"SoundInit", -1, 0, {}},   {"SoundLoadWave", 1, 0, Hit()}, {"SoundLoadWave", 1, 0, Hit()},
        {"SoundPlay", 1, 0, {}},    {"SoundStop", 0, 0, {}},        {"SoundClose", -1, 0, {}},
        {"SoundPlay", 0, -1, {}},
    };
    QCOMPARE(calls_.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        QVERIFY2(calls_[i] == expected[i], calls_[i].routine.c_str());
}

QTEST_GUILESS_MAIN(TestSoundModule)
#include "test_sound_module.moc"
