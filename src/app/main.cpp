#include "app/InstanceLock.h"
#include "app/StartUp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PrepareApplication(app);
    InstanceLock lock;
    if (!StartUp(lock))
        return 0;
    return app.exec();
}
