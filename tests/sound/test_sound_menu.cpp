// The sound switch and the four sound choosers on a real main window.
#include "app/AppPath.h"
#include "app/MainForm.h"
#include "app/MsgBox.h"
#include "play/DefModule.h"
#include "sound/ChooseSoundFile.h"
#include "sound/SoundFailureMessage.h"
#include "sound/WAVEMIX.h"
#include "sound/WaveMixLib.h"

#include <QtTest>

#include <optional>

namespace {
const QString WaveFilter = u"Wavファイル (*.wav)|*.wav"_qs;
}

class TestSoundMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void switchStopsAndRestartsTheMusic();
    void eachChooserSetsItsOwnPath();
    void cancelKeepsThePathAfterTheWallpaperChooser();
    void failureMessageReadsAsWritten();

private:
    MainForm* main_ = nullptr;
    std::optional<QString> answer_;            // what the "player" picks next
    QList<CommonDialog> shown_;                // the dialogs as they were shown
    QList<MsgBoxShown> boxes_;
    std::vector<std::pair<std::string, int>> calls_;
};

void TestSoundMenu::initTestCase()
{
    SetMsgBoxResponderForTesting([this](const MsgBoxShown& box) {
        boxes_.append(box);
        return QMessageBox::Ok;
    });
    CommonDialog::SetResponderForTesting([this](const CommonDialog& dialog) {
        shown_.append(dialog);
        return answer_;
    });
    WAVEMIX::SetSoundCallObserverForTesting([this](std::string_view routine, int channel, int, const QString&) {
        calls_.emplace_back(routine, channel);
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
    QCOMPARE(calls_, (std::vector<std::pair<std::string, int>>{{"SoundStop", 0}, {"SoundPlay", 0}}));

    // A stage with its waves loaded, music on.
    QVERIFY(WAVEMIX::SoundInit());
    WAVEMIX::SoundLoadWave(DefModule::BackSoundPath, 0);
    WAVEMIX::SoundPlay(0, -1);
    QVERIFY(WaveMixChannelSounding(0));
    main_->mnu_Sound->trigger();
    QVERIFY(!main_->mnu_Sound->isChecked());
    QVERIFY(!WaveMixChannelSounding(0));
    main_->mnu_Sound->trigger();
    QVERIFY(main_->mnu_Sound->isChecked());
    QVERIFY(WaveMixChannelSounding(0));
    WAVEMIX::SoundClose();
}

void TestSoundMenu::eachChooserSetsItsOwnPath()
{
    const struct {
        QAction* item;
        QString title;
        QString* path;
    } kinds[] = {
        {main_->mnu_SoundHitBall, u"ボール選択音"_qs, &DefModule::HitSoundPath},
        {main_->mnu_SoundNoBall, u"ボールが選択できない時の音"_qs, &DefModule::NoSoundPath},
        {main_->mnu_SoundClear, u"面クリア時の音"_qs, &DefModule::WinSoundPath},
        {main_->mnu_SoundBack, u"バックミュージック"_qs, &DefModule::BackSoundPath},
    };
    for (const auto& kind : kinds) {
        const QStringList before = {DefModule::HitSoundPath, DefModule::NoSoundPath, DefModule::WinSoundPath,
                                    DefModule::BackSoundPath};
        answer_ = u"/tmp/選んだ "_qs + kind.title + u".wav"_qs;
        shown_.clear();
        kind.item->trigger();
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].DialogTitle, kind.title);
        QCOMPARE(shown_[0].Filter, WaveFilter);
        QCOMPARE(*kind.path, *answer_);
        const QStringList after = {DefModule::HitSoundPath, DefModule::NoSoundPath, DefModule::WinSoundPath,
                                   DefModule::BackSoundPath};
        int changed = 0;
        for (int i = 0; i < 4; ++i)
            changed += before[i] != after[i];
        QCOMPARE(changed, 1);
    }
    // Kinds outside 1..4 open nothing.
    shown_.clear();
    ChooseSoundFile(0);
    ChooseSoundFile(5);
    QVERIFY(shown_.isEmpty());
}

void TestSoundMenu::cancelKeepsThePathAfterTheWallpaperChooser()
{
    const QString hit = DefModule::HitSoundPath;
    answer_ = AppPath() + "/Back5.gif";
    main_->mnu_BackColar->trigger();
    QCOMPARE(main_->CommonDialog1.FileName, *answer_);

    for (const std::optional<QString>& cancel : {std::optional<QString>(), std::optional<QString>(QString())}) {
        answer_ = cancel;
        shown_.clear();
        main_->mnu_SoundHitBall->trigger();
        QCOMPARE(shown_.size(), 1);
        QCOMPARE(shown_[0].Filter, WaveFilter);  // lists wave files, not pictures
        QCOMPARE(DefModule::HitSoundPath, hit);
    }
}

void TestSoundMenu::failureMessageReadsAsWritten()
{
    boxes_.clear();
    ShowSoundFailureMessage(main_);
    QCOMPARE(boxes_.size(), 1);
    QCOMPARE(boxes_[0].title, u"ズミラク  WaveMix Error"_qs);
    QCOMPARE(boxes_[0].text, u"WaveMix DLLが見つかりません。\r\n正常に音が出力されません。"_qs);
    QCOMPARE(boxes_[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

QTEST_MAIN(TestSoundMenu)
#include "test_sound_menu.moc"
