#include "app/JapaneseFont.h"
#include "app/Opening.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    InstallJapaneseFontSubstitutions();
    auto* splash = new Opening;
    splash->show();
    return app.exec();
}
