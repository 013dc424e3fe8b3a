// SPDX-License-Identifier: GPL-3.0-or-later
// The ends of a stage's life, and of a drawing's: a stage deleted while its
// play window is open takes the window and its record with it for good; a
// drawing outlives the program ended from outside or crashed, and comes
// back at the next workshop.
#include "app/EndingSignals.h"
#include "app/MainForm.h"
#include "play/test_gametable_kit.h"
#include "select/GameSelect.h"
#include "stages/PlayerStageRecords.h"
#include "stages/PlayerStagesKit.h"
#include "workshop/StageWorkshop.h"
#include "workshop/WorkshopDraft.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

#include <csignal>

namespace {

// Three balls in a row, taken from the left.
const Rules::Figure Row({{2, 3}, {2, 4}, {2, 5}});

Rules::Figure Line(int balls)
{
    Rules::Figure figure;
    for (int row = 0; row < balls; ++row)
        figure.Set({row, 0}, true);
    return figure;
}

QStringList RecordOf(const Rules::Figure& figure)
{
    const RegUpRead::StageRecordTexts record = RegUpRead::PeekStage(PlayerStageRecords::RecordKey(figure));
    return {record.chargeNum, record.clearTime};
}

} // namespace

class TestStageLife : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;
    std::unique_ptr<MainForm> main;
    std::vector<MsgBoxShown> asked;

    void OpenMain()
    {
        main = std::make_unique<MainForm>();
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->show();
    }
    StageWorkshop* OpenWorkshop()
    {
        main->mnu_StageMake->trigger();
        return StageWorkshop::Instance();
    }
    void Answer(QMessageBox::StandardButton answer)
    {
        asked.clear();
        SetMsgBoxResponderForTesting([this, answer](const MsgBoxShown& box) {
            asked.push_back(box);
            return answer;
        });
    }

private slots:
    void initTestCase()
    {
        kit = std::make_unique<PlayKit>();
        QDir(PlayerStages::Folder() + QStringLiteral("/..")).removeRecursively();
        PlayerStages::Reload();
        OpenMain();
    }
    // Each case starts with no stage of the player's, no play window, no workshop.
    void cleanup()
    {
        PlayKit::CloseTable();
        PlayerStages::Remove(Row);
        if (StageWorkshop* workshop = StageWorkshop::Instance()) {
            Answer(QMessageBox::Discard);
            workshop->SubWindow()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        PlayKit::SetRecord(0, QStringLiteral("1"), QStringLiteral("0"));
        WorkshopDraft::Drop();
        if (!main->isVisible()) {
            main.reset();
            OpenMain();
        }
    }
    void cleanupTestCase()
    {
        PlayKit::CloseTable();
        main.reset();
        kit.reset();
    }

    void deletingAStageClosesItsPlayWindowAndItsRecordStaysGone_data()
    {
        QTest::addColumn<int>("takes");  // balls taken in the play window before the deletion
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("opened, not begun") << 0 << QMessageBox::Ok;
        QTest::newRow("under way") << 1 << QMessageBox::Ok;
        QTest::newRow("under way, kept") << 1 << QMessageBox::Cancel;
    }
    void deletingAStageClosesItsPlayWindowAndItsRecordStaysGone()
    {
        QFETCH(int, takes);
        QFETCH(QMessageBox::StandardButton, answer);
        // Saved in the workshop, played once without a clear, then opened again.
        StageWorkshop* workshop = OpenWorkshop();
        workshop->TitleBox->setText(QStringLiteral("三連"));
        workshop->ChangeFigure(Row);
        QTRY_VERIFY(workshop->SaveButton->isEnabled());
        workshop->SaveButton->click();
        QTRY_COMPARE(PlayerStages::All().size(), std::size_t(1));
        main->Selection()->LeafTo(PlayerStages::FirstNumber);
        main->mnu_Start->trigger();
        PlayKit::CloseTable();
        QCOMPARE(RecordOf(Row), QStringList({"2", "0"}));
        main->mnu_Start->trigger();
        for (int take = 0; take < takes; ++take)
            PlayKit::ClickCell({3 + take, 2});
        QPointer<GameTable> table = GameTable::Instance();
        QVERIFY(table);

        workshop->StageChoice->setCurrentIndex(workshop->StageChoice->findData(PlayerStages::FirstNumber));
        Answer(answer);
        workshop->DeleteButton->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(asked.size(), std::size_t(1));
        QCOMPARE(asked.front().text.contains(QStringLiteral("プレイ中")), takes > 0);
        const bool deleted = answer == QMessageBox::Ok;
        QCOMPARE(bool(table), !deleted);
        QCOMPARE(PlayerStages::All().empty(), deleted);
        QCOMPARE(workshop->ResultLine->text().contains(QStringLiteral("保存しました")), !deleted);
        PlayKit::CloseTable();
        if (deleted) {
            // The record went with the stage, and does not come back with the figure.
            QCOMPARE(RecordOf(Row), QStringList({"1", "0"}));
            QCOMPARE(AddNow(QStringLiteral("三連"), Row).index, 0);
            QCOMPARE(RecordOf(Row), QStringList({"1", "0"}));
            // The board's drawing is kept nowhere now: a close asks about it.
            QVERIFY(workshop->HasUnsavedChanges());
        }
    }

    void aDrawingOutlivesTheProgramEndedFromOutside_data()
    {
        QTest::addColumn<int>("ending");
        QTest::addColumn<bool>("closes");  // the program closes its windows: the attempt in play is counted
        QTest::newRow("SIGTERM") << SIGTERM << true;
        QTest::newRow("SIGHUP") << SIGHUP << true;
        QTest::newRow("session ending, no leave to ask") << 0 << true;
        QTest::newRow("crash") << -1 << false;
    }
    void aDrawingOutlivesTheProgramEndedFromOutside()
    {
        QFETCH(int, ending);
        QFETCH(bool, closes);
        EndingSignals fromOutside;
        connect(&fromOutside, &EndingSignals::Received, &EndFromOutside);
        // A stage in play; a drawing not saved beside it.
        main->Selection()->LeafTo(0);
        main->mnu_Start->trigger();
        StageWorkshop* workshop = OpenWorkshop();
        workshop->TitleBox->setText(QStringLiteral("描きかけ"));
        workshop->ChangeFigure(Line(4));
        QTRY_VERIFY(QFileInfo::exists(WorkshopDraft::Path()));
        workshop->ChangeFigure(Line(5));

        Answer(QMessageBox::Cancel);  // a question nobody answers keeps the program
        if (ending > 0)
            std::raise(ending);
        else if (ending == 0 && main->EndSessionAllowed(false))
            main->close();
        if (closes)
            QTRY_VERIFY(!main->isVisible());
        QVERIFY(asked.empty());
        QCOMPARE(PlayKit::Record(0), closes ? QStringList({"2", "0"}) : QStringList({"1", "0"}));

        // Started again: the workshop opens on the drawing, not saved still.
        main.reset();
        QVERIFY(!StageWorkshop::Instance());
        OpenMain();
        workshop = OpenWorkshop();
        QCOMPARE(workshop->Figure(), closes ? Line(5) : Line(4));
        QCOMPARE(workshop->TitleBox->text(), QStringLiteral("描きかけ"));
        QVERIFY(workshop->HasUnsavedChanges());
        // Given up, it is gone for good.
        Answer(QMessageBox::Discard);
        workshop->SubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(asked.size(), std::size_t(1));
        QVERIFY(!QFileInfo::exists(WorkshopDraft::Path()));
        QVERIFY(!OpenWorkshop()->HasUnsavedChanges());
    }
};

QTEST_MAIN(TestStageLife)
#include "test_stage_life.moc"
