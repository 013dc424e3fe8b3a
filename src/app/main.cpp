// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/EndingSignals.h"
#include "app/InstanceLock.h"
#include "app/InterfaceLanguage.h"
#include "app/StartUp.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    // The command-line forms run before any window and need no display.
    if (IsCommandLineForm(argc, argv)) {
        QCoreApplication app(argc, argv);
        InterfaceLanguage::InstallProgramTexts(app);
        return RunCommandLine(QCoreApplication::arguments());
    }

    // From here to the end a signal to end the program ends it as the main
    // window's close box does, or before that window, as soon as it can.
    CatchEndingSignals();
    QApplication app(argc, argv);
    EndingSignals ending;
    QObject::connect(&ending, &EndingSignals::Received, &EndFromOutside);
    PrepareApplication(app);
    const QStringList stageFiles = StageFilesOnCommandLine(QCoreApplication::arguments());
    InstanceLock lock;
    if (EndingSignalCame() || !StartUp(lock, stageFiles))
        return 0;
    // Told to end while a box of the start-up waited: the loop runs only to
    // end as it always does (stage files not yet added are kept for the next start).
    if (EndingSignalCame())
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
