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

void OnSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeUp[1], &byte, 1);
    errno = saved;
}

constexpr int EndingSignalNumbers[] = {SIGTERM, SIGHUP};

} // namespace

EndingSignals::EndingSignals(QObject* parent) : QObject(parent)
{
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0)
        return;  // the signals keep their usual end
    notifier_ = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &EndingSignals::Drain);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : EndingSignalNumbers)
        ::sigaction(number, &action, nullptr);
}

EndingSignals::~EndingSignals()
{
    if (!notifier_)
        return;
    for (const int number : EndingSignalNumbers)
        ::signal(number, SIG_DFL);
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
    MainForm* main = MainForm::Instance();
    if (!main) {
        QCoreApplication::quit();
        return;
    }
    if (StageWorkshop* workshop = StageWorkshop::Instance())
        workshop->AgreeToCloseKeepingDraft();
    // A box or dialog open now waits for an answer nobody may give: each is
    // turned down, and the main window closes once they are gone (their
    // loops return first).
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        QTimer::singleShot(0, main, &EndFromOutside);
        return;
    }
    main->close();
}
