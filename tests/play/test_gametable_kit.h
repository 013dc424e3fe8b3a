// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the play window tests share: a fresh record store set up as a first
// run leaves it, a light stand-in for the windows around the play window (a
// workspace, three status panels, the sound switch and the stage on display),
// and recorders for message boxes and sound calls. Create the kit in
// initTestCase, before anything opens the store.

#include "play/GameTable.h"
#include "play/ShapedButton.h"
#include "play/StageOnDisplay.h"
#include "play/StageTable.h"
#include "records/RegUpRead.h"
#include "shared/MsgBox.h"
#include "shared/SoundSwitch.h"
#include "shared/StatusPanels.h"
#include "shared/Twips.h"
#include "sound/WAVEMIX.h"
#include "shared/UnexpectedBoxes.h"

#include <QMdiArea>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

#include <array>
#include <memory>
#include <string>
#include <vector>

struct SoundCall {
    std::string routine;
    int channel = -1;
    int loops = 0;
    QString fileName;  // SoundLoadWave only

    bool operator==(const SoundCall& other) const
    {
        return routine == other.routine && channel == other.channel && loops == other.loops &&
               fileName == other.fileName;
    }
};

inline char* toString(const SoundCall& call)
{
    return QTest::toString(QStringLiteral("%1(%2, %3, %4)")
                               .arg(QString::fromStdString(call.routine))
                               .arg(call.channel)
                               .arg(call.loops)
                               .arg(call.fileName));
}

// Orders that clear stages 26 ("Ａ") and 27 ("Ａ２"), each ball as (column, row).
inline const std::vector<QPoint> ClearingOrder26 = {{0, 0}, {0, 1}, {1, 1}, {1, 4}, {2, 4}, {2, 2}, {0, 2},
                                                    {0, 3}, {3, 3}, {3, 4}, {0, 4}, {0, 5}, {5, 5}};
inline const std::vector<QPoint> ClearingOrder27 = {{4, 3}, {3, 3}, {3, 2}, {0, 2}, {0, 1}, {2, 1}, {2, 3},
                                                    {1, 3}, {1, 0}, {0, 0}, {0, 3}, {0, 4}, {5, 4}};

class PlayKit final : public StatusPanels, public SoundSwitch, public StageOnDisplay {
public:
    PlayKit()
    {
        qputenv("XDG_CONFIG_HOME", configHome_.path().toLocal8Bit());
        WriteFirstRunStore();
        SetMsgBoxResponderForTesting([this](const MsgBoxShown& box) {
            boxes.push_back(box);
            return AcceptingAnswer(box);
        });
        WAVEMIX::SetSoundCallObserverForTesting(
            [this](std::string_view routine, std::int32_t channel, std::int32_t loops, const QString& fileName) {
                sounds.push_back({std::string(routine), channel, loops, fileName});
            });
        ResetPanelTexts();
        workspace_.resize(1000, 800);
        workspace_.show();
    }

    ~PlayKit()
    {
        if (GameTable* table = GameTable::Instance())
            table->close();
        SetMsgBoxResponderForTesting({});
        WAVEMIX::SetSoundCallObserverForTesting({});
    }

    // OK, or where a box asks whether to keep a drawing, 保存しない: the
    // tests go on as a player who agrees to everything.
    static QMessageBox::StandardButton AcceptingAnswer(const MsgBoxShown& box)
    {
        return box.buttons.testFlag(QMessageBox::Discard) ? QMessageBox::Discard : QMessageBox::Ok;
    }

    // What the play window sees of the windows around it.
    void SetPanelText(int panel, const QString& text) override { panels_[panel - 1] = text; }
    void ResetPanelTexts() override
    {
        panels_ = {QStringLiteral("0秒"), QStringLiteral("1回目の挑戦"), QStringLiteral("達成記録 0秒")};
    }
    bool SoundOn() const override { return soundOn; }
    DisplayedStage StageShown() const override { return shown; }

    bool soundOn = true;
    DisplayedStage shown;  // the stage the next opening plays

    QMdiArea& Workspace() { return workspace_; }

    // The fifty records as the first run writes them.
    static void WriteFirstRunStore()
    {
        const auto root = RegUpRead::HKEY_CURRENT_USER;
        RegUpRead::RegSetString(root, RegUpRead::ProgramKey, QStringLiteral("F_Name"), QStringLiteral("試験会社"), true);
        RegUpRead::RegSetString(root, RegUpRead::ProgramKey, QStringLiteral("U_Name"), QStringLiteral("試験者"), true);
        RegUpRead::RegSetString(root, RegUpRead::ProgramKey, QStringLiteral("LoadDate"), QStringLiteral("2024/01/01"), true);
        for (int stage = 0; stage < 50; ++stage)
            SetRecord(stage, QStringLiteral("1"), QStringLiteral("0"));
    }

    static void SetRecord(int stage, const QString& chargeNum, const QString& clearTime)
    {
        const QString key = RoundKey(stage);
        RegUpRead::RegSetString(RegUpRead::HKEY_CURRENT_USER, key, QStringLiteral("ChargeNum"), chargeNum, true);
        RegUpRead::RegSetString(RegUpRead::HKEY_CURRENT_USER, key, QStringLiteral("ClearTime"), clearTime, true);
    }

    // ChargeNum and ClearTime of a stage as the store holds them now.
    static QStringList Record(int stage)
    {
        RegUpRead::RegReadStage(static_cast<std::int16_t>(stage));
        return {RegUpRead::StageChargeNum, RegUpRead::StageClearTime};
    }

    static QString RoundKey(int stage) { return RegUpRead::ProgramKey + QStringLiteral("\\Round%1").arg(stage); }

    // Opens the play window on `stage` as the Start command does.
    GameTable* Open(int stage)
    {
        shown = {static_cast<std::int16_t>(stage), StageTable::Layout(stage), StageTable::Title(stage),
                 RegUpRead::StageKey(stage)};
        return OpenShown();
    }

    // Opens the play window on whatever `shown` holds.
    GameTable* OpenShown()
    {
        return GameTable::LoadAndShow({&workspace_, QPoint(0, 0), this, this, this});
    }

    static void CloseTable()
    {
        if (GameTable* table = GameTable::Instance())
            table->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A mouse click at the centre of ball k, as the player makes it.
    static void Click(int k)
    {
        ShapedButton* ball = GameTable::Instance()->PushCommand(k);
        QVERIFY(ball);
        QTest::mouseClick(ball, Qt::LeftButton, {}, ball->rect().center());
    }

    // A mouse click on the ball on cell (column, row).
    static void ClickCell(QPoint cell)
    {
        const int k = BallAt(cell.x(), cell.y());
        QVERIFY2(k >= 0, "no ball on that cell");
        Click(k);
    }

    // The index of the ball on (column, row), or -1.
    static int BallAt(int column, int row)
    {
        const GameTable* table = GameTable::Instance();
        for (int k = 0; table && k < table->PushCommandCount(); ++k) {
            if (table->PushCommand(k)->pos() == QPoint(column, row) * table->CellPixels())
                return k;
        }
        return -1;
    }

    QString Panel(int index) const { return panels_[static_cast<std::size_t>(index - 1)]; }

    std::vector<MsgBoxShown> boxes;
    std::vector<SoundCall> sounds;

private:
    UnexpectedBoxes unexpectedBoxes_;
    QTemporaryDir configHome_;
    QMdiArea workspace_;
    std::array<QString, 3> panels_;
};
