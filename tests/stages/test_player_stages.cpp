// The player's stages folder: what an import adds, what the folder gives
// back at start, and the record key that follows a figure.
#include "records/RegUpRead.h"
#include "stages/PlayerStages.h"
#include "stages/StageFile.h"

#include <QtTest>

namespace {

QByteArray StageFile(const char* title, const char* layout)
{
    return QByteArray("[Stage]\nTitle=") + title + "\nLayout=" + layout + "\n";
}

const QByteArray Row = StageFile("甲", "0000,0000,0600,0000,1200,0000,");
const QByteArray RowRenamed = StageFile("丙", "1200,0000,0000,0000,0600,0000,");
const QByteArray Column = StageFile("乙", "0000,0000,0000,0600,");
const QByteArray Diagonal = StageFile("斜", "0000,0000,0600,0600,");  // no second take
const QByteArray Broken = QByteArray("[Stage]\nLayout=0000;0000,\n");

QStringList Titles()
{
    QStringList titles;
    for (const PlayerStages::Entry& entry : PlayerStages::All())
        titles << entry.title;
    return titles;
}

} // namespace

class TestPlayerStages : public QObject {
    Q_OBJECT

    QTemporaryDir outside_;  // where the player keeps files to import

    QString Outside(const QByteArray& bytes)
    {
        static int n = 0;
        const QString path = outside_.filePath(QStringLiteral("s%1.zumirak").arg(++n));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    static void PutInFolder(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(PlayerStages::Folder());
        QFile file(QDir(PlayerStages::Folder()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void init()
    {
        QDir(PlayerStages::Folder()).removeRecursively();
        PlayerStages::Reload();
    }

    void importAddsEachFigureOnce_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QStringList>("outcomes");
        QTest::addColumn<QStringList>("titles");  // the folder afterwards
        QTest::newRow("two, in the order added") << QList<QByteArray>{Column, Row} << QStringList{"added", "added"}
                                                 << QStringList{"乙", "甲"};
        QTest::newRow("same cells renamed") << QList<QByteArray>{Row, RowRenamed} << QStringList{"added", "there"}
                                            << QStringList{"甲"};
        QTest::newRow("not clearable") << QList<QByteArray>{Diagonal, Row} << QStringList{"refused", "added"}
                                       << QStringList{"甲"};
        QTest::newRow("not a stage file") << QList<QByteArray>{Broken} << QStringList{"refused"} << QStringList{};
    }
    void importAddsEachFigureOnce()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QStringList, outcomes);
        QFETCH(QStringList, titles);
        QSignalSpy changes(&PlayerStagesNotice::Instance(), &PlayerStagesNotice::StagesChanged);
        QStringList got;
        for (const QByteArray& file : files) {
            const PlayerStages::Added added = PlayerStages::Import(Outside(file));
            got << (!added.error.isEmpty() ? "refused" : added.alreadyThere ? "there" : "added");
            QCOMPARE(added.index >= 0, added.error.isEmpty());
        }
        QCOMPARE(got, outcomes);
        QCOMPARE(Titles(), titles);
        QCOMPARE(changes.count(), static_cast<int>(outcomes.count(QStringLiteral("added"))));
        // What was written reads back the same, in the same order.
        PlayerStages::Reload();
        QCOMPARE(Titles(), titles);
    }

    void folderLeavesOutWhatCannotBeAStage()
    {
        PutInFolder(QStringLiteral("0001.zumirak"), Row);
        PutInFolder(QStringLiteral("0002.zumirak"), Broken);
        PutInFolder(QStringLiteral("0003.zumirak"), Diagonal);
        PutInFolder(QStringLiteral("0010.zumirak"), Column);
        PutInFolder(QStringLiteral("0009.zumirak"), StageFile("丁", "0000,0000,0000,1200,0000,0600,"));
        PutInFolder(QStringLiteral("0011.zumirak"), RowRenamed);
        PutInFolder(QStringLiteral("notes.txt"), Broken);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("0002\\.zumirak is left out: not a stage file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("0003\\.zumirak is left out: not clearable"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("0011\\.zumirak is left out: the same figure as"));
        PlayerStages::Reload();
        QCOMPARE(Titles(), QStringList({"甲", "丁", "乙"}));
        // Told once: reading the folder again says nothing more.
        PlayerStages::Reload();

        // The next stage is numbered after every file there.
        QCOMPARE(PlayerStages::Add(QStringLiteral("戊"), Rules::Figure({{14, 14}, {14, 13}})).index, 3);
        QVERIFY(QFileInfo::exists(QDir(PlayerStages::Folder()).filePath(QStringLiteral("0012.zumirak"))));
    }

    void removeTakesTheFileAndResetsTheRecord()
    {
        const int index = PlayerStages::Import(Outside(Row)).index;
        const PlayerStages::Entry entry = PlayerStages::All().at(0);
        RegUpRead::RegSetStrings(RegUpRead::HKEY_CURRENT_USER,
                                 {{entry.recordKey, QStringLiteral("ChargeNum"), QStringLiteral("3")},
                                  {entry.recordKey, QStringLiteral("ClearTime"), QStringLiteral("12")}},
                                 true);
        QVERIFY(PlayerStages::Remove(index));
        QVERIFY(!QFileInfo::exists(entry.path));
        QCOMPARE(Titles(), QStringList());
        QCOMPARE(RegUpRead::PeekStage(entry.recordKey).clearTime, QStringLiteral("0"));
        QVERIFY(!PlayerStages::Remove(index));
    }

    void recordKeyFollowsTheCellsOnly()
    {
        const Rules::Figure row({{0, 0}, {0, 1}, {0, 2}});
        // A new key for the same cells would lose every player's records.
        QCOMPARE(PlayerStages::RecordKey(row), RegUpRead::PlayerStageKeyPrefix + QStringLiteral("2962B4E6F4C8FBCF"));
        QVERIFY(PlayerStages::RecordKey(Rules::Figure({{0, 0}, {0, 1}})) != PlayerStages::RecordKey(row));
    }
};

QTEST_GUILESS_MAIN(TestPlayerStages)
#include "test_player_stages.moc"
