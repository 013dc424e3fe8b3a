// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM (the session ending, a shutdown) and SIGHUP (the terminal gone)
// reach the program as a Qt signal in its event loop instead of killing it
// on the spot, so it can end as the main window's close box ends it.
// One may exist at a time.
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

// What the program does when told to end from outside: the main window
// closes without asking anything (the workshop keeps its drawing as a draft,
// the play window counts its attempt and writes its record as on any close);
// before the main window, the program just ends.
void EndFromOutside();
