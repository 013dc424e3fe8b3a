// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include "app/InstanceLock.h"
#include "app/InterfaceLanguage.h"
#include "app/Opening.h"
#include "app/StageFileHandover.h"
#include "app/StageImport.h"
#include "records/RecordFileMessage.h"
#include "records/RegUpRead.h"
#include "records/UserAdd.h"
#include "shared/FocusSaidFirst.h"
#include "shared/MsgBox.h"
#include "shared/ProgramPictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QThreadPool>


namespace {

constexpr int PaintHelperIdleMilliseconds = 200;
// How long a later copy waits for the running one to take its files.
constexpr int HandOverMilliseconds = 5000;
// The refusal names at most this many files it could not hand over.
constexpr int ListedFiles = 10;

QString RunningCopyMessage(const QStringList& stageFiles)
{
    QStringList lines{QCoreApplication::translate("StartUp", "既に起動されています")};
    if (stageFiles.isEmpty())
        return lines.front();
    lines << QCoreApplication::translate("StartUp", "起動中のズミラクが応答しないため、次のファイルは追加されていません。");
    for (const QString& file : stageFiles.mid(0, ListedFiles))
        lines << QFileInfo(file).fileName();
    if (stageFiles.size() > ListedFiles)
        lines << QCoreApplication::translate("StartUp", "ほか%1個").arg(stageFiles.size() - ListedFiles);
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

void PrepareApplication(QApplication& app)
{
    app.setOrganizationName(QStringLiteral("Brenhavel"));
    app.setApplicationName(QStringLiteral("Zumirak"));
    // The name of the desktop entry (packaging/), so the desktop matches
    // the windows to it and its icon.
    app.setDesktopFileName(QStringLiteral("org.brenhavel.zumirak"));
    app.setWindowIcon(ProgramIcon());
    // The language and its font, before any window reads a text.
    InterfaceLanguage::Install(app);
    SayFocusBeforeCaret(app);

    // The painter hands large fills (the style's scroll bars and frames) to
    // the global thread pool, whose threads would then idle on for half a
    // minute. A program at rest keeps none: they go soon after the painting.
    QThreadPool::globalInstance()->setExpiryTimeout(PaintHelperIdleMilliseconds);
}

QWidget* StartUp(InstanceLock& lock, const QStringList& stageFiles)
{
    if (!lock.TryLock()) {
        // Stage files opened while the game runs go to the running copy,
        // which imports them: no refusal then. Files it did not take are
        // named, so none is lost without a word.
        QStringList notHanded;
        if (!stageFiles.isEmpty() && StageFileHandover::HandOver(stageFiles, HandOverMilliseconds, &notHanded))
            return nullptr;
        MsgBox(nullptr, RunningCopyMessage(notHanded), QCoreApplication::translate("StartUp", "ズミラク"),
               QMessageBox::Ok);
        return nullptr;
    }
    StageFileHandover::ImportHandedStageFiles();
    StageImport::Queue(stageFiles);

    ShowRecordFileMessages();
    RegUpRead::RegReadUser();
    QWidget* first = nullptr;
    if (RegUpRead::KeyFound) {
        first = new Opening;
    } else {
        auto* userAdd = new UserAdd;
        QObject::connect(userAdd, &UserAdd::Confirmed, [] { (new Opening)->show(); });
        first = userAdd;
    }
    first->show();
    return first;
}
