// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's buttons: generating, trying, saving, opening and deleting
// stages, and sharing them as stage codes and stage files.
#include "workshop/StageWorkshop.h"

#include "play/GameTable.h"
#include "play/StageTable.h"
#include "rules/Generator.h"
#include "shared/Announce.h"
#include "shared/CommonDialog.h"
#include "shared/MsgBox.h"
#include "stages/FigureProver.h"
#include "stages/PlayerStages.h"
#include "stages/StageCode.h"
#include "stages/LayoutString.h"
#include "stages/StageFile.h"
#include "stages/StageTitle.h"
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
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSpinBox>
#include <QTimer>

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
    if (!MayReplaceFigure())
        return;
    // A seed in the box always gives its figure; an empty box a new one.
    bool typed = false;
    std::uint64_t seed = SeedBox->text().toULongLong(&typed);
    if (!typed)
        seed = QRandomGenerator::global()->bounded(quint64(SeedRange));

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Rules::GeneratedStage stage = Rules::Generate(
        GenerateBalls->value(), static_cast<Rules::Difficulty>(GenerateDifficulty->currentData().toInt()), seed);
    QApplication::restoreOverrideCursor();
    // Its title fits a stage's in every language: a long translation is cut.
    LoadStage(CutTitle(stage.title), stage.figure);
    SeedUsed->setText(tr("おまかせで使った種：%1").arg(seed));
    // Its seed makes it again: another おまかせ may replace it without a question.
    MarkSaved();
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
    // The try over, the keys come back here, where the player left.
    connect(table, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (!subWindow_ || !subWindow_->isVisible() || GameTable::Instance())
                return;
            surroundings_.workspace->setActiveSubWindow(subWindow_);
            TryButton->setFocus(Qt::OtherFocusReason);
        });
    });
}

void StageWorkshop::Save()
{
    if (!SaveButton->isEnabled())
        return;
    // One of the thirty's figures is that stage already: no copy is made.
    for (int index = 0; index < StageTable::Count; ++index) {
        if (FigureOfLayout(StageTable::Layout(index)) == Figure()) {
            ShowResult(tr("この形は既にステージ%1「%2」です").arg(index).arg(StageTable::Title(index)));
            return;
        }
    }
    // The verdict shown is the prover's, kept for the figure: the stage is added at once.
    ShowAdded(PlayerStages::AddProvenNow(Title(), Figure()), QString());
}

// What became of a stage saved or read from a file.
void StageWorkshop::ShowAdded(const PlayerStages::Added& added, const QString& fileName)
{
    if (!added.error.isEmpty() || added.index < 0) {
        if (fileName.isEmpty())
            Tell(this, tr("ステージを保存できません。\r\n%1").arg(added.error));
        else
            Tell(this, tr("「%1」はステージに追加できません。\r\n%2").arg(fileName, added.error));
        return;
    }
    MarkSaved();
    const int number = PlayerStages::Number(added.index);
    const QString title = PlayerStages::All()[std::size_t(added.index)].title;
    if (added.alreadyThere)
        ShowResult(tr("この形は既にステージ%1「%2」です").arg(number).arg(title));
    else if (added.renamed)
        ShowResult(tr("ステージ%1の題名を「%2」にしました").arg(number).arg(title));
    else if (!fileName.isEmpty())
        ShowResult(tr("「%1」をステージ%2「%3」として追加しました").arg(fileName).arg(number).arg(title));
    else
        ShowResult(tr("ステージ%1「%2」として保存しました").arg(number).arg(title));
    StageChoice->setCurrentIndex(std::max(0, StageChoice->findData(number)));
}

void StageWorkshop::OpenChosenStage()
{
    if (!MayReplaceFigure())
        return;
    const int index = StageChoice->currentData().toInt();
    if (index < StageTable::Count) {
        if (const std::optional<Rules::Figure> figure = FigureOfLayout(StageTable::Layout(index)))
            LoadStage(StageTable::Title(index), *figure);
        MarkSaved();
        return;
    }
    const std::size_t k = std::size_t(index - StageTable::Count);
    if (k < PlayerStages::All().size()) {
        const PlayerStages::Entry stage = PlayerStages::All()[k];  // the list may be read again meanwhile
        LoadStage(stage.title, stage.figure);
    }
    MarkSaved();
}

void StageWorkshop::DeleteChosenStage()
{
    const int k = StageChoice->currentData().toInt() - StageTable::Count;
    if (k < 0 || k >= int(PlayerStages::All().size()))
        return;
    // The figure, not the place: the list may change while the player answers.
    const PlayerStages::Entry stage = PlayerStages::All()[std::size_t(k)];
    const int number = PlayerStages::Number(k);
    // Its play window closes with it; a game under way there is named in the question.
    const GameTable* open = GameTable::Instance();
    const bool inPlay = open && open->RecordKey() == stage.recordKey && open->GameUnderWay();
    const QString question = inPlay ? tr("ステージ%1「%2」はプレイ中です。削除するとプレイ画面を閉じます。\r\n"
                                         "その記録も消えますが、宜しいですか？")
                                    : tr("ステージ%1「%2」を削除します。\r\nその記録も消えますが、宜しいですか？");
    const auto answer = MsgBox(this, question.arg(number).arg(stage.title), GameTitle(),
                               QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Ok)
        return;
    if (!PlayerStages::Remove(stage.figure)) {
        Tell(this, tr("ステージを削除できませんでした。"));
        return;
    }
    // The drawing on the board is that stage no more: a close asks about it again.
    if (savedFigure_ == stage.figure) {
        savedFigure_ = {};
        FollowDraft();
    }
    ShowResult(tr("ステージ%1「%2」を削除しました").arg(number).arg(stage.title));
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
    if (!MayReplaceFigure())
        return;
    LoadStage(reading.title, reading.figure);
}

void StageWorkshop::ExportFile()
{
    if (!surroundings_.fileDialog || Figure().Count() == 0)
        return;
    CommonDialog& dialog = *surroundings_.fileDialog;
    PrepareStageFileDialog(dialog, tr("書き出し"));
    dialog.SuggestedName = FileNameFor(Title());
    const bool chosen = dialog.ShowSave(this);
    dialog.SuggestedName.clear();
    if (!chosen)
        return;
    QSaveFile file(dialog.FileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(WriteStageFile(Title(), Figure())) < 0 || !file.commit()) {
        Tell(this, tr("「%1」に書き出せませんでした。").arg(QFileInfo(dialog.FileName).fileName()));
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
    PrepareStageFileDialog(dialog, tr("読み込み"));
    if (!dialog.ShowOpen(this))
        return;
    // On the board whenever it reads, to be mended if need be; among the
    // player's stages only when it is proven, by the proof the board makes.
    const QString fileName = QFileInfo(dialog.FileName).fileName();
    const StageFileReading reading = ReadStageFileAt(dialog.FileName);
    if (!reading.ok()) {
        ShowAdded(PlayerStages::Added{-1, reading.reason}, fileName);
        return;
    }
    if (!MayReplaceFigure())
        return;
    LoadStage(reading.stage.title, reading.stage.figure);
    importing_ = {reading.stage.title, reading.stage.figure, fileName};
    if (!AwaitingVerdict())
        AddImported();
}

// The stage read from a file joins the player's stages once the board's
// proof is known, or at once when the player changes the board before that
// (it is then proven on its own).
void StageWorkshop::AddImported()
{
    if (!importing_)
        return;
    const Importing stage = *importing_;
    importing_.reset();
    // Proven on the board: it joins at once; else once proven on its own.
    if (FigureProver::Instance().Known(stage.figure)) {
        ShowAdded(PlayerStages::AddProvenNow(stage.title, stage.figure), stage.fileName);
        return;
    }
    PlayerStages::Add(stage.title, stage.figure,
                      [workshop = QPointer<StageWorkshop>(this), fileName = stage.fileName](const PlayerStages::Added& added) {
                          if (workshop)
                              workshop->ShowAdded(added, fileName);
                      });
}

void StageWorkshop::ShowResult(const QString& text, const QString& toolTip)
{
    // A single line may wrap onto the second; two lines keep one each. A
    // long run with no place to break (a Latin title) cannot wrap: such a
    // line is shortened to one line's room.
    const QFontMetrics metrics = ResultLine->fontMetrics();
    const int width = ResultLine->width();
    const auto wrapsIntoTwo = [&](const QString& line) {
        const QRect wrapped = metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, line);
        return wrapped.width() <= width && wrapped.height() <= 2 * metrics.lineSpacing();
    };
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        const QString twoLines = metrics.elidedText(line, Qt::ElideMiddle, 2 * width - metrics.height());
        line = lines.size() == 1 && wrapsIntoTwo(twoLines) ? twoLines
                                                             : metrics.elidedText(line, Qt::ElideMiddle, width - metrics.height());
    }
    ResultLine->setText(lines.join(u'\n'));
    ResultLine->setToolTip(toolTip.isEmpty() ? text : toolTip);
    // Said as well as shown: the player hears what the button did.
    Announce(*this, QString(text).replace(u'\n', u' '));
}
