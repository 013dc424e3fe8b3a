// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of bench/table.sh: the least a Qt Widgets program shows, a
// main window with a menu bar and a status bar of three labels, shown at once.
// With --button its middle holds one ball-sized push button whose click writes the next
// number on it, the least a click on a ball can cost.
//
//   g++ -O2 -fPIC reference_window.cpp $(pkg-config --cflags --libs Qt6Widgets)
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Reference"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Quit"), &app, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("Help"))->addAction(QStringLiteral("About"));
    for (const char* text : {"0 s", "attempt 1", "best 0 s"})
        window.statusBar()->addWidget(new QLabel(QString::fromLatin1(text)));
    if (app.arguments().contains(QStringLiteral("--button"))) {
        auto* middle = new QWidget;
        auto* button = new QPushButton(QStringLiteral("0"), middle);
        button->setGeometry(40, 40, 38, 38);  // the size of a ball
        QObject::connect(button, &QPushButton::clicked, button,
                         [button] { button->setText(QString::number(button->text().toInt() + 1)); });
        window.setCentralWidget(middle);
    }
    window.resize(648, 500);
    window.show();
    return app.exec();
}
