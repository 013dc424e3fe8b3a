// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing drawn is lost without the player saying so: closing the workshop,
// by any way, clearing the board with 新規 and putting another figure in its
// place (おまかせ, 開く, 貼り付け, 読み込み) ask first when the figure or its
// title changed since it was last saved or opened. Meanwhile the drawing is
// kept on disk as a draft, for an end nobody is asked about (a crash, a
// signal, the session ending).
#include "workshop/StageWorkshop.h"

#include "shared/MsgBox.h"
#include "workshop/WorkshopDraft.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <utility>

bool StageWorkshop::HasUnsavedChanges() const
{
    // An empty board holds nothing to keep, whatever its title.
    return Figure().Count() > 0 && (Figure() != savedFigure_ || TitleBox->text() != savedTitle_);
}

void StageWorkshop::MarkSaved()
{
    savedFigure_ = Figure();
    savedTitle_ = TitleBox->text();
    FollowDraft();
}

void StageWorkshop::FollowDraft() { draftDelay_->start(); }

void StageWorkshop::WriteDraft()
{
    draftDelay_->stop();
    if (!HasUnsavedChanges()) {
        WorkshopDraft::Drop();
        return;
    }
    // The player hears once that the drawing is not kept safe, until it is again.
    if (WorkshopDraft::Keep(TitleBox->text(), Figure()))
        draftLossTold_ = false;
    else if (!std::exchange(draftLossTold_, true))
        ShowResult(tr("描きかけの図形を控えておけません。保存する前にゲームが終わると失われます"),
                   WorkshopDraft::Path());
}

// A drawing kept when the program last ended without saving it comes back
// on the board, not saved still: the next close asks about it again.
void StageWorkshop::TakeBackDraft()
{
    const std::optional<StageText> draft = WorkshopDraft::Left();
    if (!draft)
        return;
    LoadStage(draft->title, draft->figure);
    ShowResult(tr("前回保存されなかった図形を戻しました"));
}

void StageWorkshop::AgreeToCloseKeepingDraft()
{
    keepDraft_ = true;
    closeAgreed_ = true;
    WriteDraft();
}

bool StageWorkshop::MayClose()
{
    if (closeAgreed_ || keepDraft_ || !HasUnsavedChanges())
        return true;
    // A figure not proven clearable cannot be a stage yet: 保存 then writes
    // it to a stage file, which keeps it just as well.
    const bool asStage = SaveButton->isEnabled();
    const QString name = Title().isEmpty() ? QString() : tr("「%1」").arg(Title());
    const QString text = asStage ? tr("ステージ作成の図形%1は保存されていません。\r\n保存しますか？").arg(name)
                                 : tr("ステージ作成の図形%1は保存されていません。\r\n"
                                      "クリアできると確かめられていないので、保存するとファイルに書き出します。")
                                       .arg(name);
    const auto answer = MsgBox(this, text, tr("ズミラク"),
                               QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer == QMessageBox::Save) {
        if (asStage)
            Save();
        else
            ExportFile();
    }
    closeAgreed_ = answer == QMessageBox::Discard || (answer == QMessageBox::Save && !HasUnsavedChanges());
    return closeAgreed_;
}

void StageWorkshop::closeEvent(QCloseEvent* event)
{
    if (!MayClose()) {
        event->ignore();
        return;
    }
    // Closed as the player agreed: the drawing is saved or given up.
    if (keepDraft_)
        WriteDraft();
    else
        WorkshopDraft::Drop();
    draftDelay_->stop();
    QWidget::closeEvent(event);
}

bool StageWorkshop::MayReplaceFigure()
{
    const bool agreed = MayClose();
    closeAgreed_ = false;  // the workshop stays open
    return agreed;
}

void StageWorkshop::NewFigure()
{
    if (!MayReplaceFigure())
        return;
    TitleBox->clear();
    ChangeFigure({});  // undoable, as any change
    MarkSaved();
}
