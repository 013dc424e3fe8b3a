// SPDX-License-Identifier: GPL-3.0-or-later
// The sound switch and the four sound choosers on a real main window.
#include "app/MainForm.h"
#include "play/DefModule.h"
#include "shared/AppPath.h"
#include "shared/MsgBox.h"
#include "sound/ChooseSoundFile.h"
#include "sound/MixerModule.h"
#include "sound/SoundFailureMessage.h"
#include "sound/WAVEMIX.h"
#include "shared/UnexpectedBoxes.h"

#include <QtTest>

#include <optional>

using namespace DefModule;

namespace {
// The mixer module's table, loaded with the first session if not before.
const WaveMixLib& Mixer() { return *LoadWaveMixer(); }
} // namespace

class TestSoundMenu : public QObject {
    Q_OBJECT

    UnexpectedBoxes unexpectedBoxes_;

private slots:
    void initTestCase();
    void cleanupTestCase();

    void switchStopsAndRestartsTheMusic();
    void eachChooserSetsItsOwnPath();
    void cancelKeepsThePathAfterTheWallpaperChooser();
    void failureMessageReadsAsWritten();

private:
    static QStringList Paths() { return {HitSoundPath, NoSoundPath, WinSoundPath, BackSoundPath}; }

    MainForm* main_ = nullptr;
    std::optional<QString> answer_;  // what the "player" picks next
    QList<CommonDialog> shown_;      // the dialogs as they were shown
    QList<MsgBoxShown> boxes_;
    QStringList calls_;
    const QString waveFilter_ = u"Wavファイル (*.wav)|*.wav"_qs;
};

void TestSoundMenu::initTestCase()
{
    SetMsgBoxResponderForTesting([this](const MsgBoxShown& box) {
        boxes_ << box;
        return QMessageBox::Ok;
    });
    CommonDialog::SetResponderForTesting([this](const CommonDialog& dialog) {
        shown_ << dialog;
        return answer_;
    });
    WAVEMIX::SetSoundCallObserverForTesting([this](std::string_view routine, int channel, int loops, const QString&) {
        calls_ << QString("%1 %2 %3").arg(QString::fromLatin1(routine.data(), qsizetype(routine.size()))).arg(channel).arg(loops);
    });
    main_ = new MainForm;
    main_->setAttribute(Qt::WA_DeleteOnClose, false);
    main_->show();
    main_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main_));
}

void TestSoundMenu::cleanupTestCase()
{
    WAVEMIX::SoundClose();
    delete main_;
    CommonDialog::SetResponderForTesting({});
    SetMsgBoxResponderForTesting({});
    WAVEMIX::SetSoundCallObserverForTesting({});
}

void TestSoundMenu::switchStopsAndRestartsTheMusic()
{
    QVERIFY(main_->mnu_Sound->isChecked());
    // Without a stage the switch only moves its mark.
    QTest::keyClick(main_, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!main_->mnu_Sound->isChecked());
    main_->mnu_Sound->trigger();
    QVERIFY(main_->mnu_Sound->isChecked());
    QCOMPARE(calls_, QStringList({"SoundStop 0 0", "SoundPlay 0 -1"}));

    // A stage with its waves loaded, music on: off stops it, on starts it again.
    QVERIFY(WAVEMIX::SoundInit());
    WAVEMIX::SoundLoadWave(BackSoundPath, 0);
    WAVEMIX::SoundPlay(0, -1);
    main_->mnu_Sound->trigger();
    QVERIFY(!main_->mnu_Sound->isChecked() && !Mixer().ChannelSounding(0));
    main_->mnu_Sound->trigger();
    QVERIFY(main_->mnu_Sound->isChecked() && Mixer().ChannelSounding(0));
    WAVEMIX::SoundClose();
}

void TestSoundMenu::eachChooserSetsItsOwnPath()
{
    const QList<std::pair<QAction*, QString>> kinds = {
        {main_->mnu_SoundHitBall, u"ボール選択音"_qs},
        {main_->mnu_SoundNoBall, u"ボールが選択できない時の音"_qs},
        {main_->mnu_SoundClear, u"面クリア時の音"_qs},
        {main_->mnu_SoundBack, u"バックミュージック"_qs},
    };
    for (int kind = 0; kind < 4; ++kind) {
        QStringList expected = Paths();
        answer_ = expected[kind] = u"/tmp/選んだ "_qs + kinds[kind].second + ".wav";
        shown_.clear();
        kinds[kind].first->trigger();
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].DialogTitle, kinds[kind].second);
        QCOMPARE(shown_[0].Filter, waveFilter_);
        QCOMPARE(Paths(), expected);
    }
    // Kinds outside 1..4 open nothing.
    shown_.clear();
    QVERIFY(!ChooseSoundFile(0, main_->CommonDialog1, main_));
    QVERIFY(!ChooseSoundFile(5, main_->CommonDialog1, main_));
    QVERIFY(shown_.isEmpty());
}

void TestSoundMenu::cancelKeepsThePathAfterTheWallpaperChooser()
{
    const QStringList paths = Paths();
    answer_ = AppPath() + "/Back5.gif";
    main_->mnu_BackColar->trigger();
    QCOMPARE(main_->CommonDialog1.FileName, *answer_);

    for (const std::optional<QString>& cancel : {std::optional<QString>(), std::optional<QString>(QString())}) {
        answer_ = cancel;
        shown_.clear();
        main_->mnu_SoundHitBall->trigger();
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].Filter, waveFilter_);  // lists wave files, not pictures
        QCOMPARE(Paths(), paths);
    }
}

void TestSoundMenu::failureMessageReadsAsWritten()
{
    ShowSoundFailureMessage(main_);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].title, u"ズミラク  WaveMix Error"_qs);
    QCOMPARE(boxes_[0].text, u"WaveMix DLLが見つかりません。\r\n正常に音が出力されません。"_qs);
    QCOMPARE(boxes_[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

QTEST_MAIN(TestSoundMenu)
#include "test_sound_menu.moc"
