// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program looks for its files: beside itself in a build folder,
// in the shared data folder when installed.
#include "shared/AppPath.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestAppPath : public QObject {
    Q_OBJECT

private slots:
    void dataFolder_data()
    {
        QTest::addColumn<bool>("beside");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build folder") << true << false << "lib/games/zumirak";
        QTest::newRow("installed") << false << true << "share/games/zumirak";
        // An older installation below the same prefix does not shadow the build.
        QTest::newRow("both") << true << true << "lib/games/zumirak";
    }
    void dataFolder()
    {
        QFETCH(bool, beside);
        QFETCH(bool, installed);
        QFETCH(QString, expected);
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        root.mkpath("lib/games/zumirak");
        root.mkpath("share/games/zumirak");
        const auto placeReadme = [&](const char* folder) {
            QFile file(root.filePath(QString::fromLatin1(folder) + "/Readme.txt"));
            QVERIFY(file.open(QIODevice::WriteOnly));
        };
        if (beside)
            placeReadme("lib/games/zumirak");
        if (installed)
            placeReadme("share/games/zumirak");
        QCOMPARE(DataFolderOf(root.filePath("lib/games/zumirak")), root.filePath(expected));
    }
};

QTEST_GUILESS_MAIN(TestAppPath)
#include "test_app_path.moc"
