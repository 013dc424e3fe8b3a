// SPDX-License-Identifier: GPL-3.0-or-later
// What the play window costs: opening the largest stage (24, 39 balls) until
// the main window has painted it, one take from the click until the window
// has repainted, closing it, and the resident memory with the stage open.
// Then, with stage 24 at rest, the whole program's wake-ups a second, and
// its memory after 11 takes with the music playing. With --shots it also
// saves pictures of stages 0, 15 and 24 in play.
//
//   bin/bench_play_window [rounds]            e.g. QT_QPA_PLATFORM=offscreen
//   bin/bench_play_window --rest              about 40 s
//   bin/bench_play_window --shots <folder>
//
// Records go to a temporary store, never to the player's.
#include "app/MainForm.h"
#include "play/DefModule.h"
#include "play/GameTable.h"
#include "play/ShapedButton.h"
#include "records/RegUpRead.h"
#include "select/GameSelect.h"
#include "shared/MsgBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Milliseconds(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e6; }

void WriteFreshRecords()
{
    for (int stage = 0; stage < 50; ++stage) {
        const QString key = RegUpRead::ProgramKey + QStringLiteral("\\Round%1").arg(stage);
        RegUpRead::RegSetString(RegUpRead::HKEY_CURRENT_USER, key, QStringLiteral("ChargeNum"), QStringLiteral("1"), true);
        RegUpRead::RegSetString(RegUpRead::HKEY_CURRENT_USER, key, QStringLiteral("ClearTime"), QStringLiteral("0"), true);
    }
}

GameTable* OpenStage(MainForm& mainForm, int stage)
{
    mainForm.Selection()->HScroll1->setValue(stage);
    mainForm.mnu_Start_Click();
    QApplication::processEvents();
    mainForm.repaint();
    return GameTable::Instance();
}

void CloseStage()
{
    if (GameTable* table = GameTable::Instance())
        table->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A ball that the next click may take: any ball before the first take, then
// one marked as a target. -1 when the player is stuck or done.
int NextTakeableBall(const GameTable& table)
{
    for (int k = 0; k < table.PushCommandCount(); ++k) {
        const QPoint cell = table.PushCommand(k)->pos() / 40;
        const std::int16_t code = DefModule::Board[cell.y()][cell.x()];
        if (code == DefModule::CellTarget || (DefModule::TakeCount == 0 && code == DefModule::CellBall))
            return k;
    }
    return -1;
}

// A click at the centre of ball k, then the repaint it causes.
void TakeBall(MainForm& mainForm, const GameTable& table, int k)
{
    ShapedButton* ball = table.PushCommand(k);
    QTest::mouseClick(ball, Qt::LeftButton, {}, ball->rect().center());
    QApplication::processEvents();
    mainForm.repaint();
}

long ResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

// Context switches of every thread of the program so far: each one is a
// thread waking up (or being woken) to run.
long ContextSwitches()
{
    long switches = 0;
    const QString tasks = QStringLiteral("/proc/self/task");
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks + '/' + task + QStringLiteral("/status"));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches:") || line.startsWith("nonvoluntary_ctxt_switches:"))
                switches += line.mid(line.indexOf(':') + 1).trimmed().toLong();
        }
    }
    return switches;
}

// Runs the event loop as the program idles, for `seconds`.
void Idle(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// Wake-ups a second of the whole program left alone for ten seconds, after
// two seconds to settle.
double WakeUpsAtRest()
{
    Idle(2);
    const long before = ContextSwitches();
    Idle(10);
    return double(ContextSwitches() - before) / 10;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Measure(MainForm& mainForm, int rounds)
{
    std::vector<double> opening, firstTakes, takes, closing;
    long resident = 0;
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round) {
        timer.start();
        GameTable* table = OpenStage(mainForm, 24);
        opening.push_back(Milliseconds(timer));
        resident = std::max(resident, ResidentKilobytes());
        for (int k = NextTakeableBall(*table); k >= 0; k = NextTakeableBall(*table)) {
            timer.restart();
            // The first take of a visit also loads the four waves.
            const bool first = DefModule::TakeCount == 0;
            TakeBall(mainForm, *table, k);
            (first ? firstTakes : takes).push_back(Milliseconds(timer));
        }
        timer.restart();
        CloseStage();
        closing.push_back(Milliseconds(timer));
    }
    std::printf("open stage 24 (39 balls) until painted: median %.2f ms, first %.2f ms, %d rounds\n",
                Median(opening), opening.front(), rounds);
    std::printf("first take of a visit (loads the waves): median %.2f ms\n", Median(firstTakes));
    std::printf("one later take, click to repainted window: median %.3f ms, max %.3f ms, %zu takes\n",
                Median(takes), takes.empty() ? 0.0 : *std::max_element(takes.begin(), takes.end()), takes.size());
    std::printf("close the play window: median %.2f ms, max %.2f ms\n", Median(closing),
                *std::max_element(closing.begin(), closing.end()));
    std::printf("resident memory with stage 24 open: %ld kB\n", resident);
    return 0;
}

// Stage 24 at rest: before the first click, then with sound switched off
// (the clock still ticks once a second), then the main window alone.
int MeasureRest(MainForm& mainForm)
{
    GameTable* table = OpenStage(mainForm, 24);
    std::printf("wake-ups a second, stage open before the first click: %.1f\n", WakeUpsAtRest());
    for (int taken = 0, k = NextTakeableBall(*table); taken < 11 && k >= 0; ++taken, k = NextTakeableBall(*table))
        TakeBall(mainForm, *table, k);
    Idle(0.5);
    std::printf("resident memory, stage 24 after 11 takes with the music playing: %ld kB\n", ResidentKilobytes());
    mainForm.mnu_Sound->trigger();
    std::printf("wake-ups a second, sound switched off during play: %.1f\n", WakeUpsAtRest());
    mainForm.mnu_Sound->trigger();
    CloseStage();
    std::printf("wake-ups a second, play window closed: %.1f\n", WakeUpsAtRest());
    return 0;
}

// Stages 0, 15 and 24 with about half their balls taken.
int SaveShots(MainForm& mainForm, const QString& folder)
{
    for (int stage : {0, 15, 24}) {
        GameTable* table = OpenStage(mainForm, stage);
        for (int taken = 0; taken < table->PushCommandCount() / 2; ++taken) {
            const int k = NextTakeableBall(*table);
            if (k < 0)
                break;
            TakeBall(mainForm, *table, k);
        }
        const QString path = QStringLiteral("%1/stage%2.png").arg(folder).arg(stage);
        if (!mainForm.grab().save(path))
            return 1;
        std::printf("%s\n", qPrintable(path));
        CloseStage();
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir store;
    qputenv("XDG_CONFIG_HOME", store.path().toLocal8Bit());
    QApplication app(argc, argv);
    WriteFreshRecords();
    SetMsgBoxResponderForTesting([](const MsgBoxShown&) { return QMessageBox::Ok; });

    MainForm mainForm;
    mainForm.setAttribute(Qt::WA_DeleteOnClose, false);
    mainForm.show();
    QApplication::processEvents();

    const QStringList args = app.arguments();
    if (args.size() > 2 && args.at(1) == QLatin1String("--shots"))
        return SaveShots(mainForm, args.at(2));
    if (args.size() > 1 && args.at(1) == QLatin1String("--rest"))
        return MeasureRest(mainForm);
    return Measure(mainForm, args.size() > 1 ? std::max(1, args.at(1).toInt()) : 20);
}
