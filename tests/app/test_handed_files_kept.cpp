// SPDX-License-Identifier: GPL-3.0-or-later
// Stage files handed to a copy that ends before it could add them (its
// new-user window closed) are added at the next start. The program runs in
// a child process of this test, started as the program starts.
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
// The child ends by itself after this long, whatever happens.
constexpr int ChildMilliseconds = 20000;

// As the program starts with `file` on its command line; the new-user window
// is closed as by Alt+F4, every message box is printed and ends the run.
int StartAsThePlayer(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PrepareApplication(app);
    SetMsgBoxResponderForTesting([](const MsgBoxShown& box) {
        std::printf("%s\n", box.text.toUtf8().constData());
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QMessageBox::Ok;
    });
    InstanceLock lock;
    const QString file = QString::fromLocal8Bit(argv[2]);
    QWidget* first = StartUp(lock, file.isEmpty() ? QStringList() : QStringList{file});
    if (!first)
        return 2;
    if (qobject_cast<UserAdd*>(first))
        QTimer::singleShot(300, first, &QWidget::close);
    QTimer::singleShot(ChildMilliseconds, qApp, &QCoreApplication::quit);
    return app.exec();
}

} // namespace

class HandedFilesKeptTest : public QObject {
    Q_OBJECT

    // What the child printed: the texts of its message boxes.
    static QString Run(const QProcessEnvironment& environment, const QString& file)
    {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(StartFlag), file});
        if (!child.waitForFinished(ChildMilliseconds + 10000))
            child.kill();
        return QString::fromUtf8(child.readAllStandardOutput()).trimmed();
    }

private slots:
    void aFileHandedToAFirstRunClosedAtOnceIsAddedNextTime()
    {
        FreshStore store;
        QTemporaryDir folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), store.ConfigFolder());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
        const QString file = folder.filePath(QStringLiteral("row.zumirak"));
        QFile stage(file);
        QVERIFY(stage.open(QIODevice::WriteOnly));
        stage.write(WriteStageFile(QStringLiteral("横一列"), Rules::Figure({{3, 3}, {3, 4}, {3, 5}})));
        stage.close();

        QCOMPARE(Run(environment, file), QString());  // the first run ends without a word
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("会社"), QStringLiteral("利用者")));
        const QString said = Run(environment, QString());
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
