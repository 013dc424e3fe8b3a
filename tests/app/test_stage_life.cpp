// SPDX-License-Identifier: GPL-3.0-or-later
// A stage deleted while its play window is open takes the window and its
// record with it for good; a drawing outlives the program ended from
// outside or crashed, and comes back at the next workshop.
#include "app/EndingSignals.h"
#include "app/MainForm.h"
#include "play/test_gametable_kit.h"
#include "select/GameSelect.h"
#include "shared/Announce.h"
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

const Rules::Figure Row({{2, 3}, {2, 4}, {2, 5}});  // taken from the left
const Rules::Figure Line({{0, 0}, {1, 0}, {2, 0}, {3, 0}});

QStringList RecordOfRow()
{
    const RegUpRead::StageRecordTexts record = RegUpRead::PeekStage(PlayerStageRecords::RecordKey(Row));
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
        SetMsgBoxResponderForTesting([this, answer](const MsgBoxShown& box) { return asked.push_back(box), answer; });
    }
    void CloseWorkshop()
    {
        StageWorkshop::Instance()->SubWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
        Answer(QMessageBox::Discard);
        if (StageWorkshop::Instance())
            CloseWorkshop();
        PlayKit::SetRecord(0, QStringLiteral("1"), QStringLiteral("0"));
        if (!main->isVisible())
            OpenMain();
    }
    void cleanupTestCase()
    {
        main.reset();
        kit.reset();
    }

    void deletingAStageClosesItsPlayWindowAndItsRecordStaysGone_data()
    {
        QTest::addColumn<int>("takes");  // in the play window before the deletion
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
        workshop->ChangeFigure(Row);
        QTRY_VERIFY(workshop->SaveButton->isEnabled());
        workshop->SaveButton->click();
        QTRY_COMPARE(PlayerStages::All().size(), std::size_t(1));
        main->Selection()->LeafTo(PlayerStages::FirstNumber);
        main->mnu_Start->trigger();
        PlayKit::CloseTable();
        main->mnu_Start->trigger();
        for (int take = 0; take < takes; ++take)
            PlayKit::ClickCell({3 + take, 2});
        QPointer<GameTable> table = GameTable::Instance();

        workshop->StageChoice->setCurrentIndex(workshop->StageChoice->findData(PlayerStages::FirstNumber));
        Answer(answer);
        workshop->DeleteButton->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(asked.size(), std::size_t(1));
        QCOMPARE(asked.front().text.contains(QStringLiteral("プレイ中")), takes > 0);
        const bool deleted = answer == QMessageBox::Ok;
        QCOMPARE(bool(table), !deleted);
        QCOMPARE(workshop->ResultLine->text().contains(QStringLiteral("保存しました")), !deleted);
        PlayKit::CloseTable();
        if (!deleted)
            return;
        // The record went with the stage, and does not come back with the figure.
        QCOMPARE(RecordOfRow(), QStringList({"1", "0"}));
        QCOMPARE(AddNow(QString(), Row).index, 0);
        QCOMPARE(RecordOfRow(), QStringList({"1", "0"}));
        // The board's drawing is kept nowhere now: a close asks about it.
        QVERIFY(workshop->HasUnsavedChanges());
    }

    void aDrawingOutlivesTheProgramEndedFromOutside_data()
    {
        QTest::addColumn<int>("ending");  // a signal; 0: the session ends without leave to ask; -1: a crash
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("session ending") << 0;
        QTest::newRow("crash") << -1;
    }
    void aDrawingOutlivesTheProgramEndedFromOutside()
    {
        QFETCH(int, ending);
        EndingSignals fromOutside;
        connect(&fromOutside, &EndingSignals::Received, &EndFromOutside);
        // A stage in play; a drawing beside it, kept a moment after each change.
        main->Selection()->LeafTo(0);
        main->mnu_Start->trigger();
        StageWorkshop* workshop = OpenWorkshop();
        workshop->TitleBox->setText(QStringLiteral("描きかけ"));
        workshop->ChangeFigure(Line);
        QTRY_VERIFY(QFileInfo::exists(WorkshopDraft::Path()));
        workshop->ChangeFigure(Row);  // a crash loses this last moment

        Answer(QMessageBox::Cancel);  // a question nobody answers would keep the program
        if (ending > 0)
            std::raise(ending);
        else if (ending == 0 && main->EndSessionAllowed(false))
            main->close();
        const bool closes = ending >= 0;
        if (closes)
            QTRY_VERIFY(!main->isVisible());
        QVERIFY(asked.empty());
        // Closed as by its close box, the play window counted its attempt.
        QCOMPARE(PlayKit::Record(0), QStringList({closes ? "2" : "1", "0"}));

        main.reset();
        OpenMain();
        QStringList heard;
        ListenToUtterances([&heard](const QString& said) { heard << said; });
        workshop = OpenWorkshop();
        QCOMPARE(workshop->Figure(), closes ? Row : Line);
        // Said as the drawing it is, not as the empty board it replaced.
        QTRY_VERIFY(!workshop->AwaitingVerdict() && heard.join(u'|').contains(workshop->VerdictLine->text()));
        ListenToUtterances({});
        QVERIFY2(!heard.join(u'|').contains(StageWorkshop::VerdictText(StageWorkshop::VerdictKind::NoBall)),
                 qPrintable(heard.join(u'|')));
        QCOMPARE(workshop->TitleBox->text(), QStringLiteral("描きかけ"));
        QVERIFY(workshop->HasUnsavedChanges());
        // Given up, it is gone for good.
        Answer(QMessageBox::Discard);
        CloseWorkshop();
        QCOMPARE(asked.size(), std::size_t(1));
        QVERIFY(!OpenWorkshop()->HasUnsavedChanges());
    }

    // A folder in the draft's place: the player is told once that the
    // drawing is not kept safe. A draft that does not read is set aside, as a
    // damaged record file is, never written over.
    void aDraftInTheWayIsToldOrSetAside_data()
    {
        QTest::addColumn<bool>("folder");  // else a damaged draft
        QTest::newRow("folder") << true;
        QTest::newRow("damaged draft") << false;
    }
    void aDraftInTheWayIsToldOrSetAside()
    {
        QFETCH(bool, folder);
        const QString draft = WorkshopDraft::Path();
        const auto removeFolder = qScopeGuard([&draft] { QDir(draft).removeRecursively(); });
        const QByteArray damage("not a stage file");
        QFile damaged(draft);
        QVERIFY(folder ? QDir().mkpath(draft) : damaged.open(QIODevice::WriteOnly) && damaged.write(damage) > 0);
        damaged.close();

        StageWorkshop* workshop = OpenWorkshop();
        workshop->ChangeFigure(Line);
        if (folder)
            QTRY_COMPARE(LastAnnouncement(), QStringLiteral("描きかけの図形を控えておけません。保存する前にゲームが終わると失われます"));
        else
            QTRY_COMPARE(WorkshopDraft::Left()->figure, Line);
        workshop->ChangeFigure(Row);
        workshop->AgreeToCloseKeepingDraft();  // keeps it once more, at once
        QCOMPARE(workshop->ResultLine->toolTip(), QString());  // not told again
        CloseWorkshop();
        WorkshopDraft::Drop();

        const QDir beside = QFileInfo(draft).dir();
        const QStringList setAside = beside.entryList({QFileInfo(draft).fileName() + QStringLiteral(".damaged-*")});
        QCOMPARE(setAside.size(), folder ? 0 : 1);
        for (const QString& name : setAside) {
            QFile kept(beside.filePath(name));
            QVERIFY(kept.open(QIODevice::ReadOnly) && kept.readAll() == damage && kept.remove());
        }
    }
};

QTEST_MAIN(TestStageLife)
#include "test_stage_life.moc"
