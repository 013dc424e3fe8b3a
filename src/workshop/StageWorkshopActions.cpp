// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's buttons: generating, trying, saving, opening and deleting
// stages, and sharing them as stage codes and stage files.
#include "workshop/StageWorkshop.h"

#include "play/GameTable.h"
#include "play/StageTable.h"
#include "rules/Generator.h"
#include "shared/CommonDialog.h"
#include "shared/MsgBox.h"
#include "stages/PlayerStages.h"
#include "stages/StageCode.h"
#include "stages/StageFile.h"
#include "workshop/WorkshopBoard.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSpinBox>

namespace {

// Seeds drawn for the player stay short enough to read out and type in.
constexpr std::uint64_t SeedRange = 1'000'000'000;

QString GameTitle() { return QCoreApplication::translate("StageWorkshop", "ズミラク"); }

void Tell(QWidget* parent, const QString& text) { MsgBox(parent, text, GameTitle(), QMessageBox::Ok); }

void PrepareStageFileDialog(CommonDialog& dialog, const QString& title)
{
    dialog.DialogTitle = title;
    dialog.Filter = QCoreApplication::translate("StageWorkshop", "ステージファイル (*.%1)|*.%1").arg(StageFileSuffix);
    dialog.FileKind = QStandardPaths::DocumentsLocation;
    dialog.DefaultSuffix = StageFileSuffix;
}

} // namespace

void StageWorkshop::GenerateFigure()
{
    bool typed = false;
    std::uint64_t seed = seedTyped_ ? SeedBox->text().toULongLong(&typed) : 0;
    if (!typed)
        seed = QRandomGenerator::global()->bounded(quint64(SeedRange));
    seedTyped_ = false;
    SeedBox->setText(QString::number(seed));

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Rules::GeneratedStage stage = Rules::Generate(
        GenerateBalls->value(), static_cast<Rules::Difficulty>(GenerateDifficulty->currentData().toInt()), seed);
    QApplication::restoreOverrideCursor();
    LoadStage(stage.title, stage.figure);
}

void StageWorkshop::TryOut()
{
    if (Figure().Count() == 0)
        return;
    // The play window shows one stage: whatever it shows gives way.
    if (GameTable* open = GameTable::Instance())
        open->close();
    PlaySurroundings play;
    play.workspace = surroundings_.workspace;
    play.place = surroundings_.place;
    play.panels = surroundings_.panels;
    play.sound = surroundings_.sound;
    play.stage = this;
    GameTable* table = GameTable::LoadAndShow(play);
    if (surroundings_.makeRoomFor)
        surroundings_.makeRoomFor(*table->SubWindow());
}

void StageWorkshop::Save()
{
    if (!SaveButton->isEnabled())
        return;
    const PlayerStages::Added added = PlayerStages::Add(Title(), Figure());
    if (!added.error.isEmpty()) {
        Tell(this, tr("ステージを保存できません。\r\n%1").arg(added.error));
        return;
    }
    VerdictLine->setText(added.alreadyThere ? tr("同じ形のステージが自作%1にあります").arg(added.index + 1)
                                            : tr("自作%1として保存しました").arg(added.index + 1));
}

void StageWorkshop::OpenChosenStage()
{
    const int index = StageChoice->currentData().toInt();
    if (index < StageTable::Count) {
        // A shipped stage only lends its figure: saving makes a new stage.
        if (const std::optional<Rules::Figure> figure = FigureOfLayout(StageTable::Layout(index)))
            LoadStage(StageTable::Title(index), *figure);
        return;
    }
    const std::vector<PlayerStages::Entry>& own = PlayerStages::All();
    const std::size_t k = std::size_t(index - StageTable::Count);
    if (k < own.size())
        LoadStage(own[k].title, own[k].figure);
}

void StageWorkshop::DeleteChosenStage()
{
    const int k = StageChoice->currentData().toInt() - StageTable::Count;
    if (k < 0 || k >= int(PlayerStages::All().size()))
        return;
    const QString title = PlayerStages::All()[std::size_t(k)].title;
    const auto answer = MsgBox(this,
                               tr("自作%1「%2」を削除します。\r\nその記録も消えますが、宜しいですか？").arg(k + 1).arg(title),
                               GameTitle(), QMessageBox::Ok | QMessageBox::Cancel);
    if (answer != QMessageBox::Ok)
        return;
    if (!PlayerStages::Remove(k))
        Tell(this, tr("ステージを削除できませんでした。"));
}

void StageWorkshop::CopyCode()
{
    if (Figure().Count() > 0)
        QGuiApplication::clipboard()->setText(EncodeStageCode(Title(), Figure()));
}

void StageWorkshop::PasteCode()
{
    const StageCodeReading reading = DecodeStageCode(QGuiApplication::clipboard()->text());
    if (!reading.ok()) {
        Tell(this, reading.error);
        return;
    }
    LoadStage(reading.title, reading.figure);
}

void StageWorkshop::ExportFile()
{
    if (!surroundings_.fileDialog || Figure().Count() == 0)
        return;
    CommonDialog& dialog = *surroundings_.fileDialog;
    PrepareStageFileDialog(dialog, tr("書き出し"));
    if (!dialog.ShowSave(this))
        return;
    QSaveFile file(dialog.FileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(WriteStageFile(Title(), Figure())) < 0 || !file.commit())
        Tell(this, tr("「%1」に書き出せませんでした。").arg(QFileInfo(dialog.FileName).fileName()));
}

void StageWorkshop::ImportFile()
{
    if (!surroundings_.fileDialog)
        return;
    CommonDialog& dialog = *surroundings_.fileDialog;
    PrepareStageFileDialog(dialog, tr("読み込み"));
    if (!dialog.ShowOpen(this))
        return;
    // On the board whenever it reads, to be mended if need be; among the
    // player's stages only when it is proven.
    const StageFileReading reading = ReadStageFileAt(dialog.FileName);
    if (reading.ok())
        LoadStage(reading.stage.title, reading.stage.figure);
    const PlayerStages::Added added = PlayerStages::Import(dialog.FileName);
    if (!added.error.isEmpty()) {
        Tell(this, tr("「%1」はステージに追加できません。\r\n%2")
                       .arg(QFileInfo(dialog.FileName).fileName(), added.error));
    }
}
