// SPDX-License-Identifier: GPL-3.0-or-later
// A play window whose sound session cannot open: the message at every
// opening, then a silent but complete stage.

#include "test_gametable_kit.h"

#include "play/DefModule.h"
#include "shared/AppPath.h"
#include "sound/WaveMixLib.h"

#include <QDir>

class TestGameTableSoundFailure : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;

    int FailureBoxes() const
    {
        return static_cast<int>(std::count_if(kit->boxes.begin(), kit->boxes.end(), [](const MsgBoxShown& box) {
            return box.title == QStringLiteral("ズミラク  WaveMix Error");
        }));
    }

private slots:
    void initTestCase()
    {
        // No such audio driver: every session fails to open.
        qputenv("SDL_AUDIODRIVER", "no-such-driver");
        kit = std::make_unique<PlayKit>();
    }
    void cleanupTestCase() { kit.reset(); }

    // Before anything loads the mixer: a program folder without it.
    void missingMixerModuleIsReportedLikeAMissingDevice()
    {
        QTemporaryDir elsewhere;
        for (const QFileInfo& file : QDir(AppPath()).entryInfoList(QDir::Files)) {
            if (file.fileName() != QLatin1String(WaveMixModuleFile))
                QFile::link(file.absoluteFilePath(), elsewhere.filePath(file.fileName()));
        }
        SetAppPathForTesting(elsewhere.path());
        kit->Open(26);
        SetAppPathForTesting({});
        QCOMPARE(FailureBoxes(), 1);
        PlayKit::ClickCell(ClearingOrder26[0]);  // loads and plays nothing
        PlayKit::ClickCell(ClearingOrder26[1]);
        QCOMPARE(DefModule::TakeCount, 2);
        PlayKit::CloseTable();
        kit->boxes.clear();
    }

    void messageAtEachOpeningAndTheStageStillPlays()
    {
        GameTable* table = kit->Open(27);
        QCOMPARE(FailureBoxes(), 1);
        const MsgBoxShown& box = kit->boxes.back();
        QCOMPARE(box.text, QStringLiteral("WaveMix DLLが見つかりません。\r\n正常に音が出力されません。"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

        QCOMPARE(table->PushCommandCount(), 13);
        for (const QPoint cell : ClearingOrder27)
            PlayKit::ClickCell(cell);
        QCOMPARE(kit->boxes.back().text, QStringLiteral("クリア"));
        QCOMPARE(table->StageCleared, QStringLiteral("1"));
        QCOMPARE(PlayKit::Record(27), QStringList({"1", "1"}));
        PlayKit::CloseTable();

        kit->Open(27);
        QCOMPARE(FailureBoxes(), 2);
        PlayKit::CloseTable();
        QCOMPARE(PlayKit::Record(27), QStringList({"1", "1"}));
    }
};

QTEST_MAIN(TestGameTableSoundFailure)
#include "test_gametable_soundfail.moc"
