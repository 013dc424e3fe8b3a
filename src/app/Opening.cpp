#include "app/Opening.h"

#include "app/MainForm.h"

#include <QLabel>
#include <QTimer>

Opening::Opening()
{
    F_Name = new QLabel(this);
    U_Name = new QLabel(this);
    Timer1 = new QTimer(this);
    Timer1->setInterval(2500);
    connect(Timer1, &QTimer::timeout, this, &Opening::Timer1_Timer);
    Form_Load();
    Timer1->start();
}

void Opening::Form_Load() {}

void Opening::Timer1_Timer()
{
    Timer1->stop();
    auto* mainForm = new MainForm;
    mainForm->show();
    close();
    deleteLater();
}
