// SPDX-License-Identifier: GPL-3.0-or-later
// A stage file handed to a copy that ends before adding it (its new-user
// window closed) is added at the next start. The program runs as a child.
#include "app/InstanceLock.h"
#include "app/StartUp.h"
#include "records/FreshStore.h"
#include "records/UserAdd.h"
#include "shared/MsgBox.h"
#include "stages/StageFile.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {

const char* const StartFlag = "--start-with";

// Starts as the program does, with the file of argv[2] if any; closes the
// new-user window as Alt+F4 does; prints a message box and ends there.
int StartAsThePlayer(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PrepareApplication(app);
    SetMsgBoxResponderForTesting([](const MsgBoxShown& box) {
        std::printf("%s\n", box.text.toUtf8().constData());
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QMessageBox::Ok;
    });
    InstanceLock lock;
    const QString file = QString::fromLocal8Bit(argv[2]);
    QWidget* first = StartUp(lock, file.isEmpty() ? QStringList() : QStringList{file});
    if (qobject_cast<UserAdd*>(first))
        QTimer::singleShot(300, first, &QWidget::close);
    QTimer::singleShot(20000, qApp, &QCoreApplication::quit);
    return app.exec();
}

QString Run(const QString& file)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(StartFlag), file});
    child.waitForFinished(30000);
    return QString::fromUtf8(child.readAllStandardOutput());
}

} // namespace

class HandedFilesKeptTest : public QObject {
    Q_OBJECT

private slots:
    void aFileHandedToAFirstRunClosedAtOnceIsAddedNextTime()
    {
        FreshStore store;  // the children inherit its folder, and a stages folder of their own
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        const QString file = store.ConfigFolder() + QStringLiteral("/row.zumirak");
        QFile stage(file);
        QVERIFY(stage.open(QIODevice::WriteOnly));
        stage.write(WriteStageFile(QStringLiteral("横一列"), Rules::Figure({{3, 3}, {3, 4}, {3, 5}})));
        stage.close();

        QCOMPARE(Run(file), QString());
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("会社"), QStringLiteral("利用者")));
        const QString said = Run(QString());
        QVERIFY2(said.contains(QStringLiteral("「横一列」を追加しました。")), qPrintable(said));
    }
};

int main(int argc, char* argv[])
{
    if (argc > 2 && qstrcmp(argv[1], StartFlag) == 0)
        return StartAsThePlayer(argc, argv);
    QApplication app(argc, argv);
    HandedFilesKeptTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_handed_files_kept.moc"
