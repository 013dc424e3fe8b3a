// SPDX-License-Identifier: GPL-3.0-or-later
// The sound calls of a stage visit, in order, with the master switch read at
// the moment of each event.

#include "test_gametable_kit.h"

#include "play/DefModule.h"

#include <QAction>

namespace {
SoundCall Load(const QString& path, int channel) { return {"SoundLoadWave", channel, 0, path}; }
SoundCall Play(int channel, int loops) { return {"SoundPlay", channel, loops, {}}; }
SoundCall Stop(int channel) { return {"SoundStop", channel, 0, {}}; }
const SoundCall Close{"SoundClose", -1, 0, {}};
const SoundCall Init{"SoundInit", -1, 0, {}};
} // namespace

class TestGameTableSound : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;

    void SetSound(bool on) { kit->soundOn = on; }

    // The four waves in the order the first click loads them.
    static std::vector<SoundCall> WaveLoads()
    {
        return {Load(DefModule::HitSoundPath, 1), Load(DefModule::WinSoundPath, 2), Load(DefModule::NoSoundPath, 3),
                Load(DefModule::BackSoundPath, 0)};
    }

    static std::vector<SoundCall> Joined(std::vector<SoundCall> first, const std::vector<SoundCall>& then)
    {
        first.insert(first.end(), then.begin(), then.end());
        return first;
    }

    // Clicks on balls from .. to - 1 of the order that clears stage 26.
    static void TakeFromStage26(std::size_t from, std::size_t to)
    {
        for (std::size_t i = from; i < to; ++i)
            PlayKit::ClickCell(ClearingOrder26[i]);
    }

private slots:
    void initTestCase() { kit = std::make_unique<PlayKit>(); }
    void cleanupTestCase() { kit.reset(); }
    void init() { SetSound(true); }
    void cleanup() { PlayKit::CloseTable(); }

    void loadOpensTheSessionOnly()
    {
        kit->sounds.clear();
        kit->Open(26);
        QCOMPARE(kit->sounds, std::vector<SoundCall>({Init}));
    }

    void firstClickLoadsTheWavesAndStartsTheMusic()
    {
        kit->Open(26);
        kit->sounds.clear();
        TakeFromStage26(0, 1);
        QCOMPARE(kit->sounds, Joined(WaveLoads(), {Play(0, -1), Play(1, 0)}));

        // Later takes and refusals: one call each, nothing loaded again.
        kit->sounds.clear();
        TakeFromStage26(1, 2);
        PlayKit::ClickCell({5, 5});
        QCOMPARE(kit->sounds, std::vector<SoundCall>({Play(1, 0), Play(3, 0)}));
        QVERIFY(GameTable::Instance()->PushCommand(PlayKit::BallAt(5, 5))->Caption().isEmpty());
        QCOMPARE(DefModule::TakeCount, 2);
    }

    void completingTakePlaysOnlyTheClearSound()
    {
        kit->Open(26);
        TakeFromStage26(0, ClearingOrder26.size() - 1);
        kit->sounds.clear();
        TakeFromStage26(ClearingOrder26.size() - 1, ClearingOrder26.size());
        QCOMPARE(kit->sounds, std::vector<SoundCall>({Play(2, 0), Stop(0)}));

        // After the clear every click is refused.
        kit->sounds.clear();
        PlayKit::ClickCell({0, 0});
        QCOMPARE(kit->sounds, std::vector<SoundCall>({Play(3, 0)}));
    }

    void soundOffStillLoadsAndStops()
    {
        SetSound(false);
        kit->Open(26);
        kit->sounds.clear();
        TakeFromStage26(0, 1);
        PlayKit::ClickCell({5, 5});
        TakeFromStage26(1, ClearingOrder26.size());
        QCOMPARE(kit->sounds, Joined(WaveLoads(), {Stop(0)}));
        kit->sounds.clear();
        PlayKit::CloseTable();
        QCOMPARE(kit->sounds, std::vector<SoundCall>({Stop(0), Close}));
    }

    void switchIsReadAtEachEvent()
    {
        SetSound(false);
        kit->Open(26);
        TakeFromStage26(0, 1);
        SetSound(true);
        kit->sounds.clear();
        TakeFromStage26(1, 2);
        QCOMPARE(kit->sounds, std::vector<SoundCall>({Play(1, 0)}));
    }

    void pathsAreReadAtTheFirstClick()
    {
        const QString music = DefModule::BackSoundPath;
        DefModule::BackSoundPath = QStringLiteral("/nowhere/Other.wav");
        kit->Open(26);
        kit->sounds.clear();
        TakeFromStage26(0, 1);
        DefModule::BackSoundPath = music;
        QCOMPARE(kit->sounds.at(3), Load(QStringLiteral("/nowhere/Other.wav"), 0));
    }

    void closeStopsTheMusicAndClosesTheSession()
    {
        kit->Open(3);
        PlayKit::Click(0);
        kit->sounds.clear();
        PlayKit::CloseTable();
        QCOMPARE(kit->sounds, std::vector<SoundCall>({Stop(0), Close}));

        // Closed before any click: the same, once.
        kit->Open(3);
        kit->sounds.clear();
        PlayKit::CloseTable();
        QCOMPARE(kit->sounds, std::vector<SoundCall>({Stop(0), Close}));
    }
};

QTEST_MAIN(TestGameTableSound)
#include "test_gametable_sound.moc"
