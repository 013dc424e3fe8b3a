// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include "app/InstanceLock.h"
#include "app/InterfaceLanguage.h"
#include "app/Opening.h"
#include "app/StageFileHandover.h"
#include "records/RecordFileMessage.h"
#include "records/RegUpRead.h"
#include "records/UserAdd.h"
#include "shared/MsgBox.h"
#include "shared/ProgramPictures.h"

#include <QApplication>
#include <QThreadPool>

#include <algorithm>

namespace {
constexpr int PaintHelperIdleMilliseconds = 200;
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

    // The painter hands large fills (the style's scroll bars and frames) to
    // the global thread pool, whose threads would then idle on for half a
    // minute. A program at rest keeps none: they go soon after the painting.
    QThreadPool::globalInstance()->setExpiryTimeout(PaintHelperIdleMilliseconds);
}

QWidget* StartUp(InstanceLock& lock, const QStringList& stageFiles)
{
    if (!lock.TryLock()) {
        // Stage files opened while the game runs go to the running copy,
        // which imports them: no refusal then.
        if (!stageFiles.isEmpty() && std::all_of(stageFiles.begin(), stageFiles.end(), [](const QString& file) {
                return StageFileHandover::HandOver(file);
            }))
            return nullptr;
        MsgBox(nullptr, QCoreApplication::translate("StartUp", "既に起動されています"),
               QCoreApplication::translate("StartUp", "ズミラク"),
               QMessageBox::Ok);
        return nullptr;
    }
    StageFileHandover::ImportHandedStageFiles();

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
