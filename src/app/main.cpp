#include "app/InstanceLock.h"
#include "app/StartUp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PrepareApplication(app);
    // A stage file given to open (a double click on it in a file manager).
    QString stageFile;
    for (const QString& argument : app.arguments().mid(1)) {
        if (!argument.startsWith(u'-')) {
            stageFile = argument;
            break;
        }
    }
    InstanceLock lock;
    if (!StartUp(lock, stageFile))
        return 0;
    return app.exec();
}
