// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/EndingSignals.h"
#include "app/InstanceLock.h"
#include "app/InterfaceLanguage.h"
#include "app/StartUp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The command-line forms run before any window and need no display.
    if (IsCommandLineForm(argc, argv)) {
        QCoreApplication app(argc, argv);
        InterfaceLanguage::InstallProgramTexts(app);
        return RunCommandLine(QCoreApplication::arguments());
    }

    QApplication app(argc, argv);
    PrepareApplication(app);
    const QStringList stageFiles = StageFilesOnCommandLine(QCoreApplication::arguments());
    EndingSignals ending;
    QObject::connect(&ending, &EndingSignals::Received, &EndFromOutside);
    InstanceLock lock;
    if (!StartUp(lock, stageFiles))
        return 0;
    return app.exec();
}
