// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM (the session ending, a shutdown), SIGHUP (the terminal gone) and
// SIGINT (Ctrl+C in the terminal) reach the program as a Qt signal in its
// event loop instead of killing it on the spot, so it can end as the main
// window's close box ends it. SIGQUIT keeps its own meaning: a core dump of
// a program that no longer answers.
//
// CatchEndingSignals() holds them from the first line of main on; a signal
// that comes before any event loop runs waits for the first, and
// EndingSignalCame() tells the start-up not to go on. One EndingSignals may
// exist at a time.
class EndingSignals : public QObject {
    Q_OBJECT
public:
    explicit EndingSignals(QObject* parent = nullptr);
    ~EndingSignals() override;

signals:
    void Received();

private:
    void Drain();

    QSocketNotifier* notifier_ = nullptr;
};

// Holds the ending signals until an EndingSignals takes them (it calls this
// itself). Needs no application object.
void CatchEndingSignals();

// True once an ending signal has come in this run.
bool EndingSignalCame();

// What the program does when told to end from outside: the main window
// closes without asking anything (the workshop keeps its drawing as a draft,
// the play window counts its attempt and writes its record as on any close).
// Before the main window, a box waiting for an answer is turned down and the
// program just ends.
void EndFromOutside();
