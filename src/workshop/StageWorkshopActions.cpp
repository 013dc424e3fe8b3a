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
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
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

QString GameTitle() { return QStringLiteral("ズミラク"); }

void Tell(QWidget* parent, const QString& text) { MsgBox(parent, text, GameTitle(), QMessageBox::Ok); }

void PrepareStageFileDialog(CommonDialog& dialog, const QString& title)
{
    dialog.DialogTitle = title;
    dialog.Filter = QStringLiteral("ステージファイル (*.%1)|*.%1").arg(StageFileSuffix);
    dialog.FileKind = QStandardPaths::DocumentsLocation;
    dialog.DefaultSuffix = StageFileSuffix;
}

// The title as a file name: characters that no file name may hold, or that
// would make it hidden, give way to "_".
QString FileNameFor(const QString& title)
{
    QString name = title.trimmed();
    static const QRegularExpression unfit(QStringLiteral(R"([/\\:*?"<>|\x00-\x1f])"));
    name.replace(unfit, QStringLiteral("_"));
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    if (name.isEmpty())
        name = QCoreApplication::translate("StageWorkshop", "ステージ");
    return name + u'.' + StageFileSuffix;
}

} // namespace

void StageWorkshop::GenerateFigure()
{
    // A seed in the box always gives its figure; an empty box a new one.
    bool typed = false;
    std::uint64_t seed = SeedBox->text().toULongLong(&typed);
    if (!typed)
        seed = QRandomGenerator::global()->bounded(quint64(SeedRange));

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Rules::GeneratedStage stage = Rules::Generate(
        GenerateBalls->value(), static_cast<Rules::Difficulty>(GenerateDifficulty->currentData().toInt()), seed);
    QApplication::restoreOverrideCursor();
    LoadStage(stage.title, stage.figure);
    SeedUsed->setText(tr("おまかせで使った種：%1").arg(seed));
}

void StageWorkshop::TryOut()
{
    if (Figure().Count() == 0)
        return;
    // The play window shows one stage: whatever it shows gives way, but a
    // stage in play only when the player agrees to what it costs.
    if (GameTable* open = GameTable::Instance()) {
        if (open->ClosingCountsAnAttempt()
            && MsgBox(this,
                      tr("プレイ中のステージ「%1」を閉じて、この図形を試します。\r\n"
                         "閉じたステージは挑戦1回と数えられます。宜しいですか？")
                          .arg(open->windowTitle()),
                      GameTitle(), QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)
                   != QMessageBox::Ok)
            return;
        open->close();
    }
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
        Tell(this, QStringLiteral("ステージを保存できません。\r\n%1").arg(added.error));
        return;
    }
    MarkSaved();
    ShowResult(added.alreadyThere ? QStringLiteral("同じ形のステージが自作%1にあります").arg(added.index + 1)
                                  : QStringLiteral("自作%1として保存しました").arg(added.index + 1));
}

void StageWorkshop::OpenChosenStage()
{
    const int index = StageChoice->currentData().toInt();
    if (index < StageTable::Count) {
        // A shipped stage only lends its figure: saving makes a new stage.
        if (const std::optional<Rules::Figure> figure = FigureOfLayout(StageTable::Layout(index)))
            LoadStage(StageTable::Title(index), *figure);
        MarkSaved();
        return;
    }
    const std::vector<PlayerStages::Entry>& own = PlayerStages::All();
    const std::size_t k = std::size_t(index - StageTable::Count);
    if (k < own.size())
        LoadStage(own[k].title, own[k].figure);
    MarkSaved();
}

void StageWorkshop::DeleteChosenStage()
{
    const int k = StageChoice->currentData().toInt() - StageTable::Count;
    if (k < 0 || k >= int(PlayerStages::All().size()))
        return;
    const QString title = PlayerStages::All()[std::size_t(k)].title;
    const auto answer = MsgBox(this,
                               QStringLiteral("自作%1「%2」を削除します。\r\nその記録も消えますが、宜しいですか？").arg(k + 1).arg(title),
                               GameTitle(), QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Ok)
        return;
    if (!PlayerStages::Remove(k))
        Tell(this, QStringLiteral("ステージを削除できませんでした。"));
}

void StageWorkshop::CopyCode()
{
    if (Figure().Count() == 0)
        return;
    QGuiApplication::clipboard()->setText(EncodeStageCode(Title(), Figure()));
    ShowResult(tr("ステージコードをクリップボードにコピーしました"));
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
    PrepareStageFileDialog(dialog, QStringLiteral("書き出し"));
    dialog.SuggestedName = FileNameFor(Title());
    const bool chosen = dialog.ShowSave(this);
    dialog.SuggestedName.clear();
    if (!chosen)
        return;
    QSaveFile file(dialog.FileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(WriteStageFile(Title(), Figure())) < 0 || !file.commit()) {
        Tell(this, QStringLiteral("「%1」に書き出せませんでした。").arg(QFileInfo(dialog.FileName).fileName()));
        return;
    }
    MarkSaved();
    const QFileInfo written(dialog.FileName);
    ShowResult(tr("「%1」を書き出しました\n場所：%2")
                   .arg(written.fileName(), QDir::toNativeSeparators(written.absolutePath())),
               QDir::toNativeSeparators(written.absoluteFilePath()));
}

void StageWorkshop::ImportFile()
{
    if (!surroundings_.fileDialog)
        return;
    CommonDialog& dialog = *surroundings_.fileDialog;
    PrepareStageFileDialog(dialog, QStringLiteral("読み込み"));
    if (!dialog.ShowOpen(this))
        return;
    // On the board whenever it reads, to be mended if need be; among the
    // player's stages only when it is proven.
    const StageFileReading reading = ReadStageFileAt(dialog.FileName);
    if (reading.ok())
        LoadStage(reading.stage.title, reading.stage.figure);
    const PlayerStages::Added added = PlayerStages::Import(dialog.FileName);
    if (!added.error.isEmpty()) {
        Tell(this, QStringLiteral("「%1」はステージに追加できません。\r\n%2")
                       .arg(QFileInfo(dialog.FileName).fileName(), added.error));
        return;
    }
    // The stage is among the player's own: the list shows it, ready to open.
    MarkSaved();
    const int index = StageTable::Count + added.index;
    StageChoice->setCurrentIndex(std::max(0, StageChoice->findData(index)));
    ShowResult(added.alreadyThere ? tr("同じ形のステージがあります：%1").arg(StageName(index))
                                            : tr("ステージを追加しました：%1").arg(StageName(index)));
}

void StageWorkshop::ShowResult(const QString& text, const QString& toolTip)
{
    // A single line may wrap onto the second; two lines keep one each.
    QStringList lines = text.split(u'\n');
    const int room = ResultLine->width() * (lines.size() == 1 ? 2 : 1) - ResultLine->fontMetrics().height();
    for (QString& line : lines)
        line = ResultLine->fontMetrics().elidedText(line, Qt::ElideMiddle, room);
    ResultLine->setText(lines.join(u'\n'));
    ResultLine->setToolTip(toolTip.isEmpty() ? text : toolTip);
}

QString StageWorkshop::StageName(int index) const
{
    return StageChoice->itemText(StageChoice->findData(index));
}
