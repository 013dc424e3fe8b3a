// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EndingSignals.h"

#include "app/MainForm.h"
#include "workshop/StageWorkshop.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The handler only writes a byte into this pipe (all a handler may safely
// do); the event loop reads it at the other end.
int wakeUp[2] = {-1, -1};
volatile std::sig_atomic_t came = 0;

void OnSignal(int)
{
    const int saved = errno;
    came = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &byte, 1);
    errno = saved;
}

constexpr int EndingSignalNumbers[] = {SIGTERM, SIGHUP, SIGINT};

} // namespace

void CatchEndingSignals()
{
    if (wakeUp[0] >= 0)
        return;  // caught already
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) {
        wakeUp[0] = wakeUp[1] = -1;
        return;  // the signals keep their usual end
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : EndingSignalNumbers) {
        // One ignored by whoever started the program (nohup, a background
        // job) stays ignored.
        struct sigaction before {};
        if (::sigaction(number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        ::sigaction(number, &action, nullptr);
    }
}

bool EndingSignalCame() { return came != 0; }

EndingSignals::EndingSignals(QObject* parent) : QObject(parent)
{
    CatchEndingSignals();
    if (wakeUp[0] < 0)
        return;
    // A signal caught before now left its byte in the pipe: the first event
    // loop hears of it.
    notifier_ = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &EndingSignals::Drain);
}

EndingSignals::~EndingSignals()
{
    if (!notifier_)
        return;
    for (const int number : EndingSignalNumbers) {
        struct sigaction now {};
        if (::sigaction(number, nullptr, &now) == 0 && now.sa_handler == OnSignal)
            ::signal(number, SIG_DFL);
    }
    ::close(wakeUp[0]);
    ::close(wakeUp[1]);
    wakeUp[0] = wakeUp[1] = -1;
}

void EndingSignals::Drain()
{
    char bytes[16];
    while (::read(wakeUp[0], bytes, sizeof bytes) > 0) {
    }
    emit Received();
}

void EndFromOutside()
{
    if (StageWorkshop* workshop = StageWorkshop::Instance())
        workshop->AgreeToCloseKeepingDraft();
    // A box or dialog open now waits for an answer nobody may give: each is
    // turned down, and the program goes on ending once they are gone (their
    // loops return first). Before the main window that is a box of the
    // start-up, whose loop runs before the program's own.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        QTimer::singleShot(0, qApp, &EndFromOutside);
        return;
    }
    if (MainForm* main = MainForm::Instance())
        main->close();
    else
        QCoreApplication::quit();  // the start-up, told by EndingSignalCame(), goes no further
}
