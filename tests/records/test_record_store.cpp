// SPDX-License-Identifier: GPL-3.0-or-later
// The record store on a private config folder: what a first run leaves, the
// create flag, the stage subkeys, names that must come back exactly, the
// LoadDate stamp, damaged files kept aside, writes that fail, and a record
// file that is a symbolic link.
#include "records/FreshStore.h"
#include "records/RegUpRead.h"
#include "records/IniFile.h"
#include "records/RecordsNotice.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

using namespace RegUpRead;

namespace {

const QString U_Name = QStringLiteral("U_Name");
const QString F_Name = QStringLiteral("F_Name");
const QString LoadDate = QStringLiteral("LoadDate");

QString ReadProgramValue(const QString& name)
{
    return KeyStore::ReadValue(HKEY_CURRENT_USER, ProgramKey, name);
}

QStringList DamagedCopies(const FreshStore& store)
{
    return QDir(store.MakerFolder()).entryList({QStringLiteral("Zumirak.ini.damaged-*")}, QDir::AllEntries);
}

// Files written by this process may not grow beyond `bytes` while it lives:
// the disk refuses further writes, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous_); }

private:
    rlimit previous_{};
};

} // namespace

class RecordStoreTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        KeyFound = false;
        UserName.clear();
        CompanyName.clear();
        StageChargeNum.clear();
        StageClearTime.clear();
    }

    void firstRunFindsNoKeyAndLeavesNothingBehind()
    {
        FreshStore store;
        UserName = QStringLiteral("kept");
        StageChargeNum = QStringLiteral("7");

        RegReadUser();
        QVERIFY(!KeyFound);
        QCOMPARE(UserName, QStringLiteral("kept"));
        QCOMPARE(CompanyName, QString());

        RegReadStage(3);
        QVERIFY(!KeyFound);
        QCOMPARE(StageChargeNum, QStringLiteral("7"));

        QCOMPARE(ReadProgramValue(U_Name), QString());
        QVERIFY(!KeyStore::KeyExists(HKEY_CURRENT_USER, ProgramKey));
        QCOMPARE(store.Contents(), QStringList());
    }

    void createFlagDecidesWhetherAMissingKeyIsMade()
    {
        FreshStore store;
        QVERIFY(!RegSetString(HKEY_CURRENT_USER, ProgramKey, U_Name, QStringLiteral("a"), false));
        QCOMPARE(store.Contents(), QStringList());

        QVERIFY(RegSetString(HKEY_CURRENT_USER, ProgramKey, U_Name, QStringLiteral("a"), true));
        QCOMPARE(ReadProgramValue(U_Name), QStringLiteral("a"));
        QVERIFY(QFileInfo::exists(store.File()));

        // Now that the key exists, writing without the flag succeeds...
        QVERIFY(RegSetString(HKEY_CURRENT_USER, ProgramKey, U_Name, QStringLiteral("b"), false));
        QCOMPARE(ReadProgramValue(U_Name), QStringLiteral("b"));
        // ...but a subkey that does not exist yet is still not made.
        QVERIFY(!RegSetString(HKEY_CURRENT_USER, StageKey(7), QStringLiteral("ChargeNum"),
                              QStringLiteral("2"), false));
        QVERIFY(!KeyStore::KeyExists(HKEY_CURRENT_USER, StageKey(7)));

        // A write of several values with one missing key writes none of them.
        QVERIFY(!RegSetStrings(HKEY_CURRENT_USER,
                               {{ProgramKey, U_Name, QStringLiteral("c")},
                                {StageKey(7), QStringLiteral("ChargeNum"), QStringLiteral("2")}},
                               false));
        QCOMPARE(ReadProgramValue(U_Name), QStringLiteral("b"));
    }

    void setUpMakesFiftyStageRecordsReadBackBySubkey()
    {
        FreshStore store;
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("会社"), QStringLiteral("利用者")));

        for (int stage = 0; stage < StageSlots; ++stage) {
            StageChargeNum.clear();
            StageClearTime.clear();
            RegReadStage(static_cast<std::int16_t>(stage));
            QVERIFY(KeyFound);
            QCOMPARE(StageChargeNum, QStringLiteral("1"));
            QCOMPARE(StageClearTime, QStringLiteral("0"));
        }
        QVERIFY(!KeyStore::KeyExists(HKEY_CURRENT_USER, StageKey(StageSlots)));

        // Each stage is its own section named Round<n>, the names in the general one.
        QSettings file(store.File(), QSettings::IniFormat);
        QStringList expected;
        for (int stage = 0; stage < StageSlots; ++stage)
            expected << QStringLiteral("Round%1").arg(stage);
        QStringList groups = file.childGroups();
        groups.sort();
        expected.sort();
        QCOMPARE(groups, expected);
        QCOMPARE(file.value(QStringLiteral("Round0/ChargeNum")).toString(), QStringLiteral("1"));
        QCOMPARE(file.value(QStringLiteral("Round49/ClearTime")).toString(), QStringLiteral("0"));

        // A stage written later is read from its own subkey only.
        QVERIFY(RegSetStrings(HKEY_CURRENT_USER,
                              {{StageKey(12), QStringLiteral("ChargeNum"), QStringLiteral("4")},
                               {StageKey(12), QStringLiteral("ClearTime"), QStringLiteral("95")}},
                              true));
        RegReadStage(12);
        QCOMPARE(StageChargeNum, QStringLiteral("4"));
        QCOMPARE(StageClearTime, QStringLiteral("95"));
        RegReadStage(1);
        QCOMPARE(StageChargeNum, QStringLiteral("1"));
    }

    void namesComeBackExactly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("double-byte") << QStringLiteral("山田　太郎");
        QTest::newRow("ideographic space alone") << QString(QChar(0x3000));
        QTest::newRow("half-width kana") << QStringLiteral("ｻｳﾝﾄﾞ");
        QTest::newRow("leading blanks") << QStringLiteral("   lead");
        QTest::newRow("trailing blanks") << QStringLiteral("trail   ");
        QTest::newRow("blanks only") << QStringLiteral("   ");
        QTest::newRow("comma") << QStringLiteral("Smith, Jones");
        QTest::newRow("equals and semicolon") << QStringLiteral("a=b;c");
        QTest::newRow("comment signs first") << QStringLiteral("#1 ;2");
        QTest::newRow("quotes") << QStringLiteral("\"quoted\"");
        QTest::newRow("variant lookalike") << QStringLiteral("@Variant(\\0\\0)");
        QTest::newRow("backslashes") << QStringLiteral("C:\\Users\\a\\");
        QTest::newRow("section lookalike") << QStringLiteral("[Round1]");
        QTest::newRow("tab and line break") << QStringLiteral("a\tb\nc\r\nd");
        QTest::newRow("beyond the basic plane") << QStringLiteral("🎲 ball");
        QTest::newRow("long") << QString(4000, QChar(0x7530));
    }

    void namesComeBackExactly()
    {
        QFETCH(QString, name);
        FreshStore store;
        QVERIFY(FreshStore::SetUpPlayer(name, name));

        RegReadUser();
        QVERIFY(KeyFound);
        QCOMPARE(UserName, name);
        QCOMPARE(CompanyName, name);
        // The file holds the text itself in UTF-8, not a narrow code page.
        if (name == QStringLiteral("山田　太郎"))
            QVERIFY(store.ReadFile().contains(name.toUtf8()));
    }

    void aMissingValueReadsEmpty()
    {
        FreshStore store;
        QVERIFY(RegSetString(HKEY_CURRENT_USER, ProgramKey, U_Name, QStringLiteral("only"), true));
        CompanyName = QStringLiteral("before");
        RegReadUser();
        QVERIFY(KeyFound);
        QCOMPARE(UserName, QStringLiteral("only"));
        QCOMPARE(CompanyName, QString());
        RegReadStage(5);  // the key exists, its Round5 does not
        QCOMPARE(StageChargeNum, QString());
        QCOMPARE(StageClearTime, QString());
    }

    void readersStampLoadDate()
    {
        FreshStore store;
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("c"), QStringLiteral("u")));

        QVERIFY(RegSetString(HKEY_CURRENT_USER, ProgramKey, LoadDate, QStringLiteral("old"), false));
        RegReadStage(0);
        QCOMPARE(ReadProgramValue(LoadDate), TodayText());

        QVERIFY(RegSetString(HKEY_CURRENT_USER, ProgramKey, LoadDate, QStringLiteral("old"), false));
        RegReadUser();
        QCOMPARE(ReadProgramValue(LoadDate), TodayText());
        QVERIFY(!TodayText().isEmpty());
    }

    void damagedFileIsKeptAsideAndTheRunStartsAfresh_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("not UTF-8") << QByteArray("[General]\nU_Name=\x93\x63\x92\x86\n");
        QTest::newRow("NUL bytes") << QByteArray("[General]\nU_Name=a\0\0\0b\n", 22);
        QTest::newRow("stray text") << QByteArray("[General]\nU_Name=a\nthis is no record\n");
        QTest::newRow("open section") << QByteArray("[General]\nU_Name=a\n[Round1\nChargeNum=1\n");
        QTest::newRow("value without key") << QByteArray("[General]\n=a\n");
        QTest::newRow("binary") << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");
    }

    void damagedFileIsKeptAsideAndTheRunStartsAfresh()
    {
        QFETCH(QByteArray, contents);
        FreshStore store;
        QVERIFY(store.WriteFile(contents));

        RegReadUser();
        QVERIFY(!KeyFound);
        QVERIFY(!QFileInfo::exists(store.File()));
        const QStringList damaged = DamagedCopies(store);
        QCOMPARE(damaged.size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^Zumirak\\.ini\\.damaged-\\d{8}-\\d{6}$"))
                    .match(damaged.first()).hasMatch());
        QFile kept(store.MakerFolder() + QLatin1Char('/') + damaged.first());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), contents);

        // The new user's set-up starts a new file and leaves the old one be.
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("c"), QStringLiteral("u")));
        RegReadUser();
        QVERIFY(KeyFound);
        QCOMPARE(UserName, QStringLiteral("u"));
        QCOMPARE(DamagedCopies(store), damaged);
    }

    void aFolderInPlaceOfTheFileIsMovedAsideToo()
    {
        FreshStore store;
        QVERIFY(QDir().mkpath(store.File()));
        RegReadUser();
        QVERIFY(!KeyFound);
        QCOMPARE(DamagedCopies(store).size(), 1);
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("c"), QStringLiteral("u")));
        QVERIFY(QFileInfo(store.File()).isFile());
    }

    void damageFoundInTheSameSecondKeepsBothCopies()
    {
        FreshStore store;
        QVERIFY(store.WriteFile("first damage\n"));
        RegReadUser();
        QVERIFY(store.WriteFile("second damage, longer\n"));
        RegReadUser();
        QStringList damaged = DamagedCopies(store);
        QCOMPARE(damaged.size(), 2);
        // Unless the clock turned a second in between, the second copy got a suffix.
        QSet<QByteArray> contents;
        for (const QString& name : damaged) {
            QFile file(store.MakerFolder() + QLatin1Char('/') + name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            contents.insert(file.readAll());
        }
        QCOMPARE(contents, (QSet<QByteArray>{"first damage\n", "second damage, longer\n"}));
    }

    void unusualButSoundFilesAreRead_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("comments and blank lines")
            << QByteArray("; written by hand\n\n[General]\n# names\nU_Name=u\n\n[Round0]\nChargeNum=3\n");
        QTest::newRow("CRLF line ends") << QByteArray("[General]\r\nU_Name=u\r\n[Round0]\r\nChargeNum=3\r\n");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[General]\nU_Name=u\n[Round0]\nChargeNum=3\n");
        QTest::newRow("spaces around") << QByteArray("  [General]  \n  U_Name = u\n[Round0]\nChargeNum=3");
    }

    void unusualButSoundFilesAreRead()
    {
        QFETCH(QByteArray, contents);
        FreshStore store;
        QVERIFY(store.WriteFile(contents));
        RegReadUser();
        QVERIFY(KeyFound);
        QCOMPARE(UserName, QStringLiteral("u"));
        RegReadStage(0);
        QCOMPARE(StageChargeNum, QStringLiteral("3"));
        QCOMPARE(DamagedCopies(store), QStringList());
    }

    void aFileDamagedDuringTheRunIsNotOverwritten()
    {
        FreshStore store;
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("c"), QStringLiteral("u")));
        RegReadStage(0);
        const QByteArray damage("[Round0]\nChargeNum=1\ngarbage that was appended\n");
        QVERIFY(store.WriteFile(damage));
        QVERIFY(RegSetString(HKEY_CURRENT_USER, StageKey(0), QStringLiteral("ChargeNum"),
                             QStringLiteral("2"), true));
        const QStringList damaged = DamagedCopies(store);
        QCOMPARE(damaged.size(), 1);
        QFile kept(store.MakerFolder() + QLatin1Char('/') + damaged.first());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), damage);
    }

    void aWriteThatDoesNotReachTheDiskFailsAndKeepsTheOldFile()
    {
        FreshStore store;
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("会社"), QStringLiteral("利用者")));
        const QByteArray before = store.ReadFile();
        bool longNameStored = true;
        bool recordsStored = true;
        // Each failed save names the file and the reason on standard error.
        const QRegularExpression failure(QStringLiteral("^The records could not be saved to %1: %2$")
                                             .arg(QRegularExpression::escape(store.File()),
                                                  QRegularExpression::escape(QString::fromLocal8Bit(std::strerror(EFBIG)))));
        QTest::ignoreMessage(QtWarningMsg, failure);
        QTest::ignoreMessage(QtWarningMsg, failure);
        QSignalSpy told(&RecordsNotice::Instance(), &RecordsNotice::StageRecordsWritten);
        {
            // Nothing is printed while the limit holds: the test's own log is a file too.
            FileSizeLimit full(before.size() - 1);
            longNameStored = RegSetString(HKEY_CURRENT_USER, ProgramKey, U_Name, QString(2000, u'x'), true);
            recordsStored = RegSetStrings(HKEY_CURRENT_USER, InitialStageRecords(), true);
        }
        QVERIFY(!longNameStored);
        QVERIFY(!recordsStored);
        QCOMPARE(told.size(), 0);  // nothing changed, nothing to read again
        QCOMPARE(store.ReadFile(), before);
        QCOMPARE(QDir(store.MakerFolder()).entryList(QDir::Files), QStringList{QStringLiteral("Zumirak.ini")});
        RegReadUser();
        QCOMPARE(UserName, QStringLiteral("利用者"));
    }

    void aLinkedRecordFileStaysALink()
    {
        // The record file is a link to a link to the file kept elsewhere.
        FreshStore store;
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("会社"), QStringLiteral("利用者")));
        QTemporaryDir dotfiles;
        const QString kept = dotfiles.filePath(QStringLiteral("kept/Zumirak.ini"));
        const QString middle = dotfiles.filePath(QStringLiteral("records.ini"));
        QVERIFY(QDir().mkpath(QFileInfo(kept).absolutePath()));
        QVERIFY(QFile::rename(store.File(), kept));
        QVERIFY(QFile::link(QStringLiteral("kept/Zumirak.ini"), middle));
        QVERIFY(QFile::link(middle, store.File()));
        // The new file keeps the old one's permissions, not its own.
        QVERIFY(QFile::setPermissions(kept, QFile::ReadOwner | QFile::WriteOwner));

        QVERIFY(RegSetString(HKEY_CURRENT_USER, ProgramKey, U_Name, QStringLiteral("新しい名前"), false));
        QCOMPARE(QFile::permissions(kept) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);  // owner, group, others
        QCOMPARE(QFileInfo(store.File()).symLinkTarget(), middle);
        QCOMPARE(QFile::symLinkTarget(middle), kept);
        QFile file(kept);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains(QStringLiteral("新しい名前").toUtf8()));
        RegReadUser();
        QCOMPARE(UserName, QStringLiteral("新しい名前"));
        // No unfinished copy stays beside the link or the file.
        QCOMPARE(QDir(store.MakerFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{QStringLiteral("Zumirak.ini")});
        QCOMPARE(QDir(QFileInfo(kept).absolutePath()).entryList(QDir::Files), QStringList{QStringLiteral("Zumirak.ini")});
    }

    void aLinkPlantedAtTheSavingNameIsNotFollowed()
    {
        FreshStore store;
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("会社"), QStringLiteral("利用者")));
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.filePath(QStringLiteral("victim"));
        QFile planted(victim);
        QVERIFY(planted.open(QIODevice::WriteOnly) && planted.write("mine") == 4);
        planted.close();
        QVERIFY(QFile::link(victim, store.File() + QStringLiteral(".saving")));

        QVERIFY(RegSetString(HKEY_CURRENT_USER, ProgramKey, U_Name, QStringLiteral("新しい名前"), false));
        QVERIFY(planted.open(QIODevice::ReadOnly));
        QCOMPARE(planted.readAll(), QByteArray("mine"));
        QVERIFY(!QFileInfo(store.File()).isSymLink());
        QVERIFY(store.ReadFile().contains(QStringLiteral("新しい名前").toUtf8()));
    }

    void aLinkWhoseFileCannotBeReachedIsNeverReplaced_data()
    {
        QTest::addColumn<bool>("readBefore");
        QTest::newRow("gone before the start") << false;
        QTest::newRow("gone during the run") << true;
    }

    // The link leads into a volume that is not mounted, then is.
    void aLinkWhoseFileCannotBeReachedIsNeverReplaced()
    {
        QFETCH(bool, readBefore);
        FreshStore store;
        QTemporaryDir volume;
        const QString kept = volume.filePath(QStringLiteral("records/Zumirak.ini"));
        const QString unmounted = volume.filePath(QStringLiteral("unmounted"));
        QVERIFY(QDir().mkpath(QFileInfo(kept).absolutePath()));
        QFile file(kept);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[General]\nU_Name=u\n") > 0);
        file.close();
        QVERIFY(QDir().mkpath(store.MakerFolder()));
        QVERIFY(QFile::link(kept, store.File()));
        if (readBefore)
            RegReadUser();
        QVERIFY(QFile::rename(QFileInfo(kept).absolutePath(), unmounted));

        QSignalSpy said(&RecordsNotice::Instance(), &RecordsNotice::RecordFileUnreachable);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot be reached")));
        UserName.clear();
        RegReadUser();
        QCOMPARE(KeyFound, readBefore);  // plays on with what it has
        QCOMPARE(UserName, readBefore ? QStringLiteral("u") : QString());
        QVERIFY(!FreshStore::SetUpPlayer(QStringLiteral("c"), QStringLiteral("new")));
        QVERIFY(!RegSetString(HKEY_CURRENT_USER, StageKey(1), QStringLiteral("ChargeNum"), QStringLiteral("5"), true));
        QCOMPARE(said.size(), 1);
        QCOMPARE(said[0][0].toString(), kept);
        QCOMPARE(QFile::symLinkTarget(store.File()), kept);
        QCOMPARE(QDir(store.MakerFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{QStringLiteral("Zumirak.ini")});

        QVERIFY(QFile::rename(unmounted, QFileInfo(kept).absolutePath()));
        QVERIFY(RegSetString(HKEY_CURRENT_USER, StageKey(1), QStringLiteral("ChargeNum"), QStringLiteral("5"), true));
        RegReadUser();
        QCOMPARE(UserName, QStringLiteral("u"));
        QCOMPARE(QFile::symLinkTarget(store.File()), kept);
        QCOMPARE(said.size(), 1);
    }

    void aDamagedFileBehindALinkIsKeptAsideBesideIt()
    {
        FreshStore store;
        QTemporaryDir dotfiles;
        const QString kept = dotfiles.filePath(QStringLiteral("Zumirak.ini"));
        QFile damaged(kept);
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("no record at all\n") > 0);
        damaged.close();
        QVERIFY(QDir().mkpath(store.MakerFolder()));
        QVERIFY(QFile::link(kept, store.File()));

        RegReadUser();
        QVERIFY(!KeyFound);
        QCOMPARE(QDir(dotfiles.path()).entryList({QStringLiteral("Zumirak.ini.damaged-*")}).size(), 1);
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("c"), QStringLiteral("u")));
        QCOMPARE(QFile::symLinkTarget(store.File()), kept);
        RegReadUser();
        QCOMPARE(UserName, QStringLiteral("u"));
        QCOMPARE(DamagedCopies(store), QStringList());
    }

    void aStampThatFailsDoesNotMakeASetUpPlayerNew()
    {
        FreshStore store;
        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("会社"), QStringLiteral("利用者")));
        QVERIFY(RegSetString(HKEY_CURRENT_USER, ProgramKey, LoadDate, QStringLiteral("old"), false));
        const QByteArray before = store.ReadFile();
        bool foundAtStart = false;
        bool foundAtStage = false;
        {
            FileSizeLimit full(100);
            RegReadUser();
            foundAtStart = KeyFound;
            RegReadStage(2);
            foundAtStage = KeyFound;
        }
        QVERIFY(foundAtStart);
        QVERIFY(foundAtStage);
        QCOMPARE(UserName, QStringLiteral("利用者"));
        QCOMPARE(StageChargeNum, QStringLiteral("1"));
        QCOMPARE(store.ReadFile(), before);
    }

    void fileFormatRoundTripsAndQtReadsItAlike()
    {
        IniContents contents;
        const QStringList nasty = {QStringLiteral("plain"), QString(), QString(QChar(0x3000)),
                                   QStringLiteral(" a "), QStringLiteral("\"q\",;=#"),
                                   QStringLiteral("@@at"), QStringLiteral("@"),
                                   QStringLiteral("\\x41\\"), QStringLiteral("ctl\x01" "A\x7f" "b"),
                                   QString(QChar(0)) + QStringLiteral("nul"), QStringLiteral("a\nb\rc\td"),
                                   QStringLiteral("山田 🎲")};
        int n = 0;
        for (const QString& value : nasty)
            contents.groups[QString()][QStringLiteral("V%1").arg(n++)] = value;
        contents.groups[QStringLiteral("Round7")][QStringLiteral("ChargeNum")] = QStringLiteral("3");
        contents.groups[QStringLiteral("General")][QStringLiteral("x")] = QStringLiteral("a subkey named General");
        contents.groups[QStringLiteral("a b%c")][QStringLiteral("name with space/slash")] = QStringLiteral("v");
        contents.groups[QStringLiteral("Round7/Sub")][QStringLiteral("日本")] = QStringLiteral("nested");

        const QByteArray text = FormatIni(contents);
        const auto parsed = ParseIni(text);
        QVERIFY(parsed.has_value());
        QCOMPARE(*parsed, contents);

        // Qt's own reader sees the same values in the file.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("check.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        QSettings qt(path, QSettings::IniFormat);
        QCOMPARE(qt.status(), QSettings::NoError);
        n = 0;
        for (const QString& value : nasty) {
            const QVariant read = qt.value(QStringLiteral("V%1").arg(n++));
            QCOMPARE(read.typeId(), QMetaType::QString);
            QCOMPARE(read.toString(), value);
        }
        QCOMPARE(qt.value(QStringLiteral("Round7/ChargeNum")).toString(), QStringLiteral("3"));
        QCOMPARE(qt.value(QStringLiteral("General/x")).toString(), QStringLiteral("a subkey named General"));
    }

    void soundnessCheckOfLines_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("sound");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("key with blank value") << QByteArray("a=\n") << true;
        QTest::newRow("no final line end") << QByteArray("[s]\na=b") << true;
        QTest::newRow("blank key") << QByteArray("  =b\n") << false;
        QTest::newRow("overlong UTF-8") << QByteArray("a=\xC0\xAF\n") << false;
        QTest::newRow("lone surrogate") << QByteArray("a=\xED\xA0\x80\n") << false;
        QTest::newRow("cut multibyte at end") << QByteArray("a=\xE7\x94") << false;
        QTest::newRow("open quote") << QByteArray("a=\"open\n") << false;
        QTest::newRow("text after the quote") << QByteArray("a=\"x\" y\n") << false;
        QTest::newRow("quote inside") << QByteArray("a=x\"y\n") << false;
        QTest::newRow("empty hex escape") << QByteArray("a=\"\\x\"\n") << false;
    }

    void soundnessCheckOfLines()
    {
        QFETCH(QByteArray, contents);
        QFETCH(bool, sound);
        QCOMPARE(ParseIni(contents).has_value(), sound);
    }
};

QTEST_GUILESS_MAIN(RecordStoreTest)
#include "test_record_store.moc"
