// SPDX-License-Identifier: GPL-3.0-or-later
// The Options menu: wallpaper, ball outline, deletion of the records, the
// records overview and the stage workshop.
// Settings last for the run; a play window already open keeps what it took
// when it opened.
#include "app/MainForm.h"

#include "play/DefModule.h"
#include "records/DailyRecords.h"
#include "records/RegUpRead.h"
#include "select/GameSelect.h"
#include "select/RecordsOverview.h"
#include "shared/MsgBox.h"
#include "stages/PlayerStages.h"
#include "workshop/StageWorkshop.h"

#include <QAction>
#include <QMdiSubWindow>

void MainForm::mnu_BackColar_Click()
{
    CommonDialog1.DialogTitle = tr("壁紙の設定", "dialog title");
    CommonDialog1.Filter = tr(
        "BMPファイル (*.bmp)|*.bmp|JPGファイル (*.jpg)|*.jpg;*.jpeg|gifファイル (*.gif)|*.gif");
    CommonDialog1.FileKind = QStandardPaths::PicturesLocation;
    if (CommonDialog1.ShowOpen(this))
        DefModule::WallpaperPath = CommonDialog1.FileName;
}

void MainForm::SelectBallShape(QAction* item, const QString& shape)
{
    // A click on the item that has the mark changes nothing, not even an
    // empty BallShape at start.
    if (item == checkedBallShape_) {
        item->setChecked(true);
        return;
    }
    checkedBallShape_ = item;
    item->setChecked(true);
    DefModule::BallShape = shape;
}

void MainForm::mnu_Maru_Click() { SelectBallShape(mnu_Maru, QStringLiteral("Maru")); }
void MainForm::mnu_Daia_Click() { SelectBallShape(mnu_Daia, QStringLiteral("Daia")); }
void MainForm::mnu_Sankaku_Click() { SelectBallShape(mnu_Sankaku, QStringLiteral("Sankaku")); }
void MainForm::mnu_Ame_Click() { SelectBallShape(mnu_Ame, QStringLiteral("Ame")); }

void MainForm::mnu_Del_Click()
{
    // Return keeps the records: only a deliberate OK deletes them.
    const auto answer = MsgBox(this, tr("全ての記録を削除しますが、\r\n宜しいですか？"),
                               tr("ズミラク"), QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Ok)
        return;
    // Every stage slot, every stage of the player's own and every day's stage
    // back to its first attempt, never cleared; the names and LoadDate stay. One write, so a
    // crash keeps all old or all new records.
    std::vector<RegUpRead::RegWrite> records = RegUpRead::InitialStageRecords();
    const std::vector<RegUpRead::RegWrite> players = PlayerStages::InitialRecords();
    records.insert(records.end(), players.begin(), players.end());
    const std::vector<RegUpRead::RegWrite> days = DailyRecords::InitialRecords();
    records.insert(records.end(), days.begin(), days.end());
    RegUpRead::RegSetStrings(RegUpRead::HKEY_CURRENT_USER, records, true);
}

void MainForm::mnu_RecordList_Click()
{
    // A double click on a row leafs the selection window to that stage.
    RecordsOverview* overview = RecordsOverview::LoadAndShow(this);
    connect(overview, &RecordsOverview::StageChosen, gameSelect_, &GameSelect::LeafTo, Qt::UniqueConnection);
}

void MainForm::mnu_StageMake_Click()
{
    WorkshopSurroundings surroundings;
    surroundings.workspace = workspace_;
    // Beside the selection window, where the play window opens too.
    surroundings.place = QPoint(gameSelectWindow_->geometry().right() + 1, 0);
    surroundings.panels = StatusBar1;
    surroundings.sound = this;
    surroundings.fileDialog = &CommonDialog1;
    surroundings.makeRoomFor = [this](const QWidget& subWindow) { MakeRoomFor(subWindow, true); };
    StageWorkshop::LoadAndShow(surroundings);
}
