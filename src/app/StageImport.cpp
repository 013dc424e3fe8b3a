// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StageImport.h"

#include "app/MainForm.h"
#include "app/StageFileHandover.h"
#include "play/StageTable.h"
#include "select/GameSelect.h"
#include "select/StageList.h"
#include "shared/MsgBox.h"
#include "stages/PlayerStages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

// While the splash or the new-user window shows, the queue looks again
// this often for the main window.
constexpr int MainWindowWaitMilliseconds = 200;
// A message lists at most this many files that became stages, and at most
// this many refused ones, so that with its OK button it stays on the screen.
constexpr int ListedStages = 10;
constexpr int ListedRefusals = 10;

struct Refusal {
    QString file;
    QString reason;
};

struct Outcome {
    QStringList said;  // added, or already there
    std::vector<Refusal> refused;
    std::optional<int> shown;  // the stage to leaf to
};

// Each file's proof may run off the window's thread: a batch tells its
// outcome once the last file has an answer.
struct Batch {
    Outcome outcome;
    QStringList unanswered;
};

struct ImportQueue {
    QStringList waiting;
    std::weak_ptr<Batch> current;  // the batch whose files are being added
    bool scheduled = false;
    bool importing = false;
    bool keptAtQuit = false;  // the program's end keeps what is not added yet
};

ImportQueue& TheQueue()
{
    static ImportQueue queue;
    return queue;
}

// The stage as the selection window names it: its number and title.
QString StageName(int stage)
{
    return QCoreApplication::translate("StageImport", "ステージ%1「%2」").arg(stage).arg(StageList::Title(stage));
}

void Record(const QString& file, const PlayerStages::Added& added, Outcome& outcome)
{
    if (added.index < 0) {
        outcome.refused.push_back({file, added.error});
        return;
    }
    const int stage = PlayerStages::Number(added.index);
    outcome.shown = stage;
    if (added.alreadyThere)
        outcome.said << QCoreApplication::translate("StageImport", "「%1」と同じ形のステージは既にあります（%2）。")
                            .arg(file, StageName(stage));
    else if (added.renamed)
        outcome.said << QCoreApplication::translate("StageImport", "「%1」と同じ形のステージの題名を変えました（%2）。")
                            .arg(file, StageName(stage));
    else
        outcome.said << QCoreApplication::translate("StageImport", "%1を追加しました。").arg(StageName(stage));
}

QString Message(const Outcome& outcome)
{
    QStringList lines = outcome.said.mid(0, ListedStages);
    if (outcome.said.size() > ListedStages)
        lines << QCoreApplication::translate("StageImport", "ほか%1個").arg(outcome.said.size() - ListedStages);
    const auto refused = qsizetype(outcome.refused.size());
    if (refused == 1) {
        const Refusal& only = outcome.refused.front();
        lines << QCoreApplication::translate("StageImport", "「%1」はステージに追加できません。\r\n%2")
                     .arg(only.file, only.reason);
    } else if (refused > 1) {
        lines << QCoreApplication::translate("StageImport", "次の%1個のファイルはステージに追加できません。").arg(refused);
        for (std::size_t i = 0; i < std::size_t(std::min<qsizetype>(refused, ListedRefusals)); ++i) {
            const Refusal& one = outcome.refused[i];
            lines << QCoreApplication::translate("StageImport", "%1：%2").arg(one.file, one.reason);
        }
        if (refused > ListedRefusals)
            lines << QCoreApplication::translate("StageImport", "ほか%1個").arg(refused - ListedRefusals);
    }
    return lines.join(QStringLiteral("\r\n"));
}

void Schedule(int delayMs);

// Shows the main window with the stage added and one message for the batch,
// then lets the next batch begin.
void TellOutcome(const Outcome& outcome)
{
    ImportQueue& queue = TheQueue();
    if (MainForm* form = MainForm::Instance()) {
        if (outcome.shown)
            form->Selection()->LeafTo(*outcome.shown);
        form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
        form->raise();
        form->activateWindow();
        MsgBox(form, Message(outcome), QCoreApplication::translate("StageImport", "ズミラク"), QMessageBox::Ok);
    }
    queue.importing = false;
    if (!queue.waiting.isEmpty())
        Schedule(0);
}

// One batch: everything queued so far.
void WorkOff()
{
    ImportQueue& queue = TheQueue();
    queue.scheduled = false;
    if (queue.importing || queue.waiting.isEmpty())
        return;  // a batch is still telling its outcome; it schedules the next
    MainForm* form = MainForm::Instance();
    if (!form || !form->isVisible()) {
        Schedule(MainWindowWaitMilliseconds);
        return;
    }

    queue.importing = true;
    const QStringList paths = std::exchange(queue.waiting, {});
    auto batch = std::make_shared<Batch>();
    batch->unanswered = paths;
    queue.current = batch;
    for (const QString& path : paths) {
        PlayerStages::Import(path, [batch, path](const PlayerStages::Added& added) {
            Record(QFileInfo(path).fileName(), added, batch->outcome);
            batch->unanswered.removeOne(path);
            if (batch->unanswered.isEmpty())
                TellOutcome(batch->outcome);
        });
    }
}

// The program ends with files not added yet (the new-user window closed, or
// the main window closed while a proof still runs): the next start takes them.
void KeepUnfinished()
{
    ImportQueue& queue = TheQueue();
    QStringList unfinished;
    if (const std::shared_ptr<Batch> batch = queue.current.lock())
        unfinished << batch->unanswered;
    unfinished << std::exchange(queue.waiting, {});
    if (!unfinished.isEmpty())
        StageFileHandover::KeepForNextStart(unfinished);
}

void Schedule(int delayMs)
{
    ImportQueue& queue = TheQueue();
    if (queue.scheduled)
        return;
    queue.scheduled = true;
    QTimer::singleShot(delayMs, QCoreApplication::instance(), &WorkOff);
}

} // namespace

void StageImport::Queue(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    ImportQueue& queue = TheQueue();
    if (!std::exchange(queue.keptAtQuit, true))
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &KeepUnfinished);
    queue.waiting << paths;
    Schedule(0);
}
