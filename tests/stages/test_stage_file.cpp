// SPDX-License-Identifier: GPL-3.0-or-later
// Stage files as a player may hand them over: the reader (through its fuzz
// entry, so every case also checks its promises), then the proof; and the
// player's stages folder that keeps what passes, follows the disk, and never
// writes over or deletes a file it should not.
#include "records/RegUpRead.h"
#include "stages/FigureKey.h"
#include "stages/FigureProver.h"
#include "stages/FolderScan.h"
#include "stages/PlayerStageRecords.h"
#include "stages/PlayerStagesKit.h"
#include "stages/ProofCacheFile.h"
#include "stages/StageFile.h"
#include "stages/StageFolder.h"
#include "stages/StageProof.h"

#include <QCryptographicHash>
#include <QtTest>

#include <cstdint>

// From fuzz_stage_file.cpp: aborts on a broken promise, returns the verdict.
bool ReadAndCheckStageFile(const std::uint8_t* data, std::size_t size);

namespace {

QByteArray Stage(const QByteArray& title, const QByteArray& layout)
{
    return "[Stage]\nTitle=" + title + "\nLayout=" + layout + "\n";
}

const QByteArray Row = Stage("甲", "0000,0000,0600,0000,1200,0000,");
const QByteArray RowReordered = Stage("丙", "1200,0000,0000,0000,0600,0000,");
const QByteArray Column = Stage("乙", "0000,0000,0000,0600,");
const QByteArray Diagonal = Stage("斜", "0000,0000,0600,0600,");  // nothing to take second
const QByteArray Broken = "[Stage]\nLayout=0000;0000,\n";

// The reason for the log: the reader's, else the proof's; empty when both pass.
QString Verdict(const QByteArray& file)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(file.constData());
    const StageFileReading reading = ReadStageFile(file);
    if (ReadAndCheckStageFile(data, static_cast<std::size_t>(file.size())) != reading.ok()
        || reading.reason.isEmpty() != reading.ok())
        return QStringLiteral("inconsistent");
    return reading.ok() ? ProveStage(reading.stage.figure).reasonForLog : reading.reasonForLog;
}

QStringList Titles()
{
    QStringList titles;
    for (const PlayerStages::Entry& entry : PlayerStages::All())
        titles << entry.title;
    return titles;
}

QStringList FilesInFolder()
{
    return QDir(PlayerStages::Folder()).entryList({QStringLiteral("*.zumirak")}, QDir::Files, QDir::Name);
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Rules::Figure FigureOf(const QByteArray& file) { return ReadStageFile(file).stage.figure; }

// Figure k of a family of distinct clearable ones: a row of 2, 3, ... balls.
Rules::Figure RowFigure(int k)
{
    Rules::Figure figure;
    for (int column = 0; column < 2 + k / Rules::BoardSize; ++column)
        figure.Set({k % Rules::BoardSize, column}, true);
    return figure;
}

QString Numbered(int k) { return QStringLiteral("%1.zumirak").arg(k, 4, 10, QLatin1Char('0')); }

QString KeptProofsPath() { return QFileInfo(PlayerStages::Folder()).path() + QStringLiteral("/proofs"); }

// A line of the kept proofs as the game signs it.
QByteArray Signed(const QByteArray& text)
{
    return text + ' ' + QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex().left(8) + '\n';
}

QByteArray OrderHex(const std::vector<Rules::Cell>& order)
{
    QByteArray bytes;
    for (const Rules::Cell cell : order)
        bytes += char(Rules::IndexOf(cell));
    return bytes.toHex();
}

// The first line the game writes, with word `word` (0-based) put as `value`.
QByteArray FirstLineWith(int word, const QByteArray& value)
{
    const QByteArray written = ProofCacheFile::Format({});
    QList<QByteArray> words = written.trimmed().split(' ');
    words[word] = value;
    return words.join(' ') + '\n';
}

} // namespace

class TestStageFile : public QObject {
    Q_OBJECT

    QTemporaryDir outside_;

    QString Write(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    void InFolder(const char* name, const QByteArray& bytes) { Write(PlayerStages::Folder() + u'/' + name, bytes); }

private slots:
    void initTestCase()
    {
        // No proof kept from an earlier run.
        QDir(QFileInfo(PlayerStages::Folder()).path()).removeRecursively();
    }

    void init()
    {
        QDir(PlayerStages::Folder()).removeRecursively();
        PlayerStages::Reload();
    }

    void verdicts_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("refusal");  // start of the reason for the log
        QTest::newRow("as written") << Row << "";
        QTest::newRow("BOM, CR LF, other keys") << QByteArray("\xEF\xBB\xBF;c\r\n[A]\r\nLayout=x\r\n[Stage]\r\n"
                                                              "Author=me\r\nLayout=\"8400,8400,0000,8400,\"\r\n")
                                                << "";
        QTest::newRow("title of 32") << Stage(QString(32, u'山').toUtf8(), "0000,0000,0000,0600,") << "";
        QTest::newRow("title of 33") << Stage(QString(33, u'山').toUtf8(), "0000,0000,") << "the title is longer";
        QTest::newRow("line break in the title") << Stage("\"a\\nb\"", "0000,0000,") << "not a stage file";
        QTest::newRow("title starting with U+FEFF") << Stage("\xEF\xBB\xBF" "0", "0000,0000,0600,0000,") << "";
        // Titles that would show something else than they say: NEL, the separators, an override, an isolate.
        for (const char* misleads : {"\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80\xAE", "\xE2\x81\xA6"})
            QTest::addRow("title with %s", QByteArray(misleads).toHex().constData())
                << Stage(QByteArray("a") + misleads + "b", "0000,0000,") << "not a stage file";
        QTest::newRow("half a character in the title") << Stage("\"a\\xD800\"", "0000,0000,") << "not a stage file";
        QTest::newRow("no layout") << QByteArray("[Stage]\nTitle=a\n") << "not a stage file";
        QTest::newRow("layout not records") << Broken << "not a stage file";
        QTest::newRow("huge") << Row + ';' + QByteArray(70000, 'x') << "not a stage file";
        QTest::newRow("off the board") << Stage("", "0000,0000,9000,0000,") << "a ball lies off the board";
        QTest::newRow("off the board, as row,column") << Stage("", "0000,0000,9000,0600,")
                                                      << "a ball lies off the board (ball 2 at row,column 1,15;";
        QTest::newRow("last comma missing") << Stage("", "0000,0000,0600,0000")
                                            << "not a stage file (Layout: the last ball's record lacks its closing comma)";
        QTest::newRow("one cell twice") << Stage("", "0600,0000,0600,0000,") << "two balls on one cell";
        QTest::newRow("no ball") << Stage("a", "") << "no ball";
        QTest::newRow("not clearable") << Diagonal << "not clearable";
        QTest::newRow("quotes inside the title") << Stage("say \"hi\"", "0000,0000,0600,0000,") << "";
        QTest::newRow("a line that is no value") << Row + "Author me\n"
                                                 << "not a stage file (line 4 is neither [section] nor name=value)";
    }
    void verdicts()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, refusal);
        const QString verdict = Verdict(file);
        QVERIFY2(refusal.isEmpty() ? verdict.isEmpty() : verdict.startsWith(refusal), qPrintable(verdict));
    }

    // A title as a stage author types it is the title, and is written back
    // as typed wherever that reads back the same.
    void typedTitlesReadAndWrittenAsTyped_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("quotes inside") << QByteArray("say \"hi\"") << "say \"hi\"" << QByteArray("say \"hi\"");
        QTest::newRow("opening quote only") << QByteArray("\"hi\" there") << "\"hi\" there" << QByteArray("\"hi\" there");
        QTest::newRow("backslashes") << QByteArray("C:\\new\\x41") << "C:\\new\\x41" << QByteArray("C:\\new\\x41");
        QTest::newRow("wholly quoted") << QByteArray("\"a \\\"b\\\"\"") << "a \"b\"" << QByteArray("a \"b\"");
        QTest::newRow("blank around, quoted") << QByteArray("\" a \"") << " a " << QByteArray("\" a \"");
        QTest::newRow("at sign") << QByteArray("@home") << "@home" << QByteArray("@home");
        QTest::newRow("two at signs") << QByteArray("@@@x") << "@@x" << QByteArray("@@@x");
        QTest::newRow("comment signs") << QByteArray("a;b#c=d") << "a;b#c=d" << QByteArray("a;b#c=d");
    }
    void typedTitlesReadAndWrittenAsTyped()
    {
        QFETCH(QByteArray, typed);
        QFETCH(QString, title);
        QFETCH(QByteArray, written);
        const StageFileReading reading = ReadStageFile(Stage(typed, "0000,0000,0600,0000,"));
        QVERIFY2(reading.ok(), qPrintable(reading.reasonForLog));
        QCOMPARE(reading.stage.title, title);
        const QByteArray file = WriteStageFile(title, reading.stage.figure);
        QVERIFY2(file.split('\n').contains("Title=" + written), file.constData());
        QCOMPARE(ReadStageFile(file).stage.title, title);
    }

    void eachPathThatIsNoStageFileSaysWhy_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");  // for the log; the player's differs from each other row's
        QTest::newRow("missing") << outside_.filePath(QStringLiteral("gone.zumirak")) << "no such file";
        QTest::newRow("folder") << outside_.path() << "a folder, not a file";
        QTest::newRow("device") << "/dev/zero" << "cannot be read (not a regular file)";
        QTest::newRow("unreadable") << Write(outside_.filePath(QStringLiteral("locked.zumirak")), Row)
                                    << "cannot be read (no permission to read it)";
    }
    void eachPathThatIsNoStageFileSaysWhy()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        if (path.endsWith(QLatin1String("locked.zumirak"))) {
            QFile(path).setPermissions({});
            if (QFileInfo(path).isReadable())
                QSKIP("a file without read permission is readable here (run as root)");
        }
        static QStringList forThePlayer;
        const StageFileReading reading = ReadStageFileAt(path);
        QCOMPARE(reading.reasonForLog, reason);
        QVERIFY2(!forThePlayer.contains(reading.reason), qPrintable(reading.reason));
        forThePlayer << reading.reason;
        // The game says to the player what the log says.
        QCOMPARE(ImportNow(path).error, reading.reason);
    }

    void neitherWaitsNorGuesses()
    {
        const Rules::Figure figure({{3, 0}, {3, 2}, {5, 2}, {5, 0}, {3, 7}});
        const StageProof unknown = ProveStage(figure, {1, 64u << 20});
        QCOMPARE(unknown.reasonForLog, QStringLiteral("unknown (limit)"));
        QVERIFY(!unknown.ok());  // never counted as proven
    }

    void importAddsEachFigureOnce_data()
    {
        QTest::addColumn<QList<QByteArray>>("files");
        QTest::addColumn<QStringList>("titles");  // the folder afterwards
        QTest::newRow("in the order added") << QList<QByteArray>{Column, Row} << QStringList{"乙", "甲"};
        // Compared by cells, not by text: the same stage, renamed.
        QTest::newRow("same cells, another title") << QList<QByteArray>{Row, RowReordered} << QStringList{"丙"};
        QTest::newRow("refused ones") << QList<QByteArray>{Diagonal, Broken, Row} << QStringList{"甲"};
        QTest::newRow("no title") << QList<QByteArray>{Column, Stage("", "0000,0000,0600,0000,")}
                                  << QStringList{"乙", "自作31"};
    }
    void importAddsEachFigureOnce()
    {
        QFETCH(QList<QByteArray>, files);
        QFETCH(QStringList, titles);
        for (int i = 0; i < files.size(); ++i) {
            const PlayerStages::Added added = ImportNow(Write(outside_.filePath(QString::number(i)), files[i]));
            QCOMPARE(added.index >= 0, added.error.isEmpty());
        }
        QCOMPARE(Titles(), titles);
        PlayerStages::Reload();  // written to the folder, in that order, one file each
        QCOMPARE(Titles(), titles);
        QCOMPARE(FilesInFolder().size(), titles.size());
    }

    void folderAtStartLeavesOutWhatCannotBeAStage()
    {
        InFolder("0001.zumirak", RowReordered);
        InFolder("0002.zumirak", Broken);
        InFolder("0010.zumirak", Column);
        InFolder("0011.zumirak", Row);
        InFolder("0012.zumirak", Diagonal);
        InFolder("notes.txt", Broken);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("0002\\.zumirak is left out: not a stage file"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("0011\\.zumirak is left out: the same figure as"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("0012\\.zumirak is left out: not clearable"));
        PlayerStages::Reload();
        QTRY_VERIFY(AllProven());
        PlayerStages::Reload();  // said once only
        QCOMPARE(Titles(), QStringList({"丙", "乙"}));
        // The same cells, in the order the game writes them: the same stage.
        QVERIFY(AddNow(QStringLiteral("丙"), FigureOf(Row)).alreadyThere);
        const int added = AddNow(QStringLiteral("戊"), Rules::Figure({{9, 9}, {9, 8}})).index;
        QCOMPARE(QFileInfo(PlayerStages::All().at(std::size_t(added)).path).fileName(), QStringLiteral("0013.zumirak"));
        // A new key for the same cells would lose every player's records.
        QCOMPARE(PlayerStageRecords::RecordKey(Rules::Figure({{0, 0}, {0, 1}, {0, 2}})),
                 RegUpRead::PlayerStageKeyPrefix + QStringLiteral("2962B4E6F4C8FBCF"));
    }

    // What lies in the folder before two stages are added: it stays as it
    // was, and both new stages get files of their own.
    void addingNeverWritesOverAFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("the largest int but one") << "2147483646.zumirak";
        QTest::newRow("the largest int") << "2147483647.zumirak";
        QTest::newRow("a number too long") << "99999999999999999999.zumirak";
    }
    void addingNeverWritesOverAFile()
    {
        QFETCH(QString, name);
        const QString path = Write(PlayerStages::Folder() + u'/' + name, Row);
        const QByteArray before = Bytes(path);
        PlayerStages::Reload();
        QVERIFY(AddNow(QStringLiteral("乙"), FigureOf(Column)).error.isEmpty());
        QVERIFY(AddNow(QStringLiteral("丁"), Rules::Figure({{9, 9}, {9, 8}})).error.isEmpty());
        QCOMPARE(Bytes(path), before);
        QCOMPARE(FilesInFolder().size(), 3);
        QVERIFY(Titles().contains(QStringLiteral("乙")) && Titles().contains(QStringLiteral("丁")));
    }

    // The folder changed by hand while the game runs: the list follows, and
    // deleting a stage deletes the file that holds its figure now.
    void theFolderOnDiskIsWhatCounts()
    {
        QCOMPARE(AddNow(QStringLiteral("甲"), FigureOf(Row)).index, 0);
        QCOMPARE(AddNow(QStringLiteral("乙"), FigureOf(Column)).index, 1);
        const QString columnFile = PlayerStages::All().at(1).path;

        // 乙's file replaced by another stage before the list heard of it:
        // deleting 乙 must not take the other stage's file.
        QFile::remove(columnFile);
        Write(columnFile, Stage("丁", "5400,5400,5400,6000,"));
        QVERIFY(PlayerStages::Remove(FigureOf(Column)));
        QVERIFY(QFileInfo::exists(columnFile));
        QCOMPARE(Titles(), QStringList({"甲", "丁"}));

        // Added, edited in place and removed by hand: the list follows.
        Write(PlayerStages::Folder() + QStringLiteral("/0007.zumirak"), Stage("手", "0000,0600,0000,1200,"));
        QTRY_COMPARE(Titles(), QStringList({"甲", "丁", "手"}));
        Write(columnFile, Stage("改", "0000,0000,0600,0000,1200,0000,1800,0000,"));
        QTRY_COMPARE(Titles(), QStringList({"甲", "改", "手"}));
        QFile::remove(columnFile);
        QTRY_COMPARE(Titles(), QStringList({"甲", "手"}));
    }

    // A figure is proven once: again neither in this run nor at the next
    // start, where what the kept proofs say is only confirmed.
    void proofsAreKeptByFigure()
    {
        const QString kept = QFileInfo(PlayerStages::Folder()).path() + QStringLiteral("/proofs");
        QSignalSpy proven(&FigureProver::Instance(), &FigureProver::Proven);
        const Rules::Figure fresh({{4, 4}, {4, 7}, {6, 7}});
        InFolder("0001.zumirak", WriteStageFile(QStringLiteral("新"), fresh));
        PlayerStages::Reload();
        QTRY_VERIFY(AllProven());
        QCOMPARE(proven.count(), 1);
        QTRY_COMPARE(ProofCacheFile::Read(kept).proofs.value(PackedCells(fresh)).stars, PlayerStages::All().front().stars);
        InFolder("0002.zumirak", WriteStageFile(QStringLiteral("同"), fresh));
        PlayerStages::Reload();
        QTest::qWait(50);
        QCOMPARE(proven.count(), 1);

        // Kept proofs edited by hand, their checks made again: a clearable
        // figure said not to be, and stars put up. Each is set right in the
        // background: the stage listed with its own stars, the file mended.
        const Rules::Figure hidden({{8, 1}, {8, 2}});
        const Rules::Figure starred({{11, 3}, {11, 6}, {13, 6}});
        const FigureProof truth = ProveFigure(starred);
        const QString edited = Write(outside_.filePath(QStringLiteral("edited")),
                                     ProofCacheFile::Format({}) + Signed(PackedCells(hidden).toHex() + " not-clearable 0 -")
                                         + Signed(PackedCells(starred).toHex() + " clearable " + QByteArray::number(truth.stars % 3 + 1)
                                                  + ' ' + OrderHex(truth.order)));
        FigureProver::Instance().SetFile(edited);
        InFolder("0003.zumirak", WriteStageFile(QStringLiteral("隠"), hidden));
        InFolder("0004.zumirak", WriteStageFile(QStringLiteral("星"), starred));
        PlayerStages::Reload();
        QTRY_COMPARE(Titles(), QStringList({"新", "隠", "星"}));
        QTRY_COMPARE(PlayerStages::All().back().stars, truth.stars);
        QTRY_COMPARE(ProofCacheFile::Read(kept).proofs.value(PackedCells(hidden)).verdict, Rules::Verdict::Clearable);
        QCOMPARE(ProofCacheFile::Read(kept).proofs.value(PackedCells(starred)).stars, truth.stars);
    }

    // The folder is read once; then a change reads what changed, an add
    // looks at one file, and no proof ending reads any.
    void aChangeReadsOnlyWhatChanged()
    {
        constexpr int Stages = 40;
        for (int k = 1; k <= Stages; ++k)
            InFolder(qPrintable(Numbered(k)), WriteStageFile(QString(), RowFigure(k)));
        struct Step {
            const char* name;
            std::function<void()> act;
            quint64 reads;  // files read by the step
        };
        const Step steps[] = {
            {"read whole, every figure proven",
             [] {
                 PlayerStages::Reload();
                 QTRY_VERIFY(AllProven());
                 QCOMPARE(PlayerStages::All().size(), std::size_t(Stages));
             },
             Stages},
            {"one file edited by hand",
             [this] {
                 InFolder(qPrintable(Numbered(5)), WriteStageFile(QStringLiteral("手"), RowFigure(5)));
                 QTRY_COMPARE(PlayerStages::All().at(4).title, QStringLiteral("手"));
             },
             1},
            {"a stage added", [] { QVERIFY(AddNow(QStringLiteral("新"), RowFigure(Stages + 1)).error.isEmpty()); }, 1},
            {"a figure there already", [] { QVERIFY(AddNow(QString(), RowFigure(3)).alreadyThere); }, 1},
        };
        for (const Step& step : steps) {
            const quint64 before = StageFolder::FilesRead();
            step.act();
            QTest::qWait(400);  // the folder's watch has had its say
            QVERIFY2(StageFolder::FilesRead() - before == step.reads,
                     qPrintable(QStringLiteral("%1: %2 read").arg(step.name).arg(StageFolder::FilesRead() - before)));
        }
    }

    // A kept proof is believed only when it holds; any other line is dropped
    // and its figure proven again.
    void keptProofsAreBelievedOnlyWhenTheyHold_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("cells");
        QTest::addColumn<bool>("believed");
        const Rules::Figure row = FigureOf(Row);
        const Rules::Figure diagonal = FigureOf(Diagonal);
        const FigureProof proof = ProveFigure(row);
        const QByteArray rowCells = PackedCells(row);
        const QByteArray diagonalCells = PackedCells(diagonal);
        const QByteArray written = ProofCacheFile::Format({{rowCells, proof}});
        const QByteArray first = written.first(written.indexOf('\n') + 1);
        const QByteArray rowLine = written.sliced(first.size());
        const QByteArray notClearable = Signed(diagonalCells.toHex() + " not-clearable 0 -");
        const QByteArray stars = QByteArray::number(proof.stars);
        QTest::newRow("as written") << written << rowCells << true;
        QTest::newRow("another figure's order") << first + Signed(diagonalCells.toHex() + " clearable 3 " + OrderHex(proof.order))
                                                << diagonalCells << false;
        QTest::newRow("clearable without stars") << first + Signed(rowCells.toHex() + " clearable 0 " + OrderHex(proof.order))
                                                 << rowCells << false;
        QTest::newRow("stars edited") << QByteArray(written).replace(" clearable " + stars, " clearable " + QByteArray::number(proof.stars % 3 + 1))
                                      << rowCells << false;
        QTest::newRow("verdict edited") << first + QByteArray(notClearable).replace("not-clearable", "unknown")
                                        << diagonalCells << false;
        QTest::newRow("not clearable, by another solver") << FirstLineWith(4, "0") + notClearable << diagonalCells << false;
        QTest::newRow("clearable, by another solver") << FirstLineWith(4, "0") + rowLine << rowCells << true;
        QTest::newRow("unknown, under other limits")
            << FirstLineWith(8, "5") + Signed(rowCells.toHex() + " unknown 0 -") << rowCells << false;
        QTest::newRow("not clearable, under other limits") << FirstLineWith(8, "5") + notClearable << diagonalCells << true;
        // Stars are measured again in any case (the prover's).
        QTest::newRow("clearable, under other stars") << FirstLineWith(6, "000000000000") + rowLine << rowCells << true;
        QTest::newRow("another form") << FirstLineWith(2, "1") + rowLine << rowCells << false;
        QTest::newRow("junk before") << first + "junk\n\n=\n" + QByteArray(300000, ' ') + "\n" + rowLine << rowCells << true;
        QTest::newRow("last line cut") << written.chopped(1) << rowCells << false;
    }
    void keptProofsAreBelievedOnlyWhenTheyHold()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, cells);
        QFETCH(bool, believed);
        const ProofCacheFile::Reading reading = ProofCacheFile::Read(Write(outside_.filePath(QStringLiteral("kept")), file));
        QCOMPARE(reading.proofs.contains(cells), believed);
    }

    // Two figures apart only in the board's last cell (row 14, column 14):
    // each its own proof, kept apart on disk, and its own record.
    void theLastCellIsPartOfTheKey()
    {
        const Rules::Figure corner({{13, 14}, {14, 13}, {14, 14}});  // an L: clearable
        const Rules::Figure apart({{13, 14}, {14, 13}});             // diagonal: not
        QCOMPARE(FigureOfPackedCells(PackedCells(corner)), std::optional(corner));
        QVERIFY(PlayerStageRecords::RecordKey(corner) != PlayerStageRecords::RecordKey(apart));
        InFolder("0001.zumirak", WriteStageFile(QStringLiteral("角"), corner));
        InFolder("0002.zumirak", WriteStageFile(QStringLiteral("離"), apart));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("0002\\.zumirak is left out: not clearable"));
        PlayerStages::Reload();
        QTRY_COMPARE(Titles(), QStringList({"角"}));
        QTRY_VERIFY(FigureProver::Instance().Known(apart).has_value());
        QCOMPARE(FigureProver::Instance().Known(apart)->verdict, Rules::Verdict::NotClearable);
        QTRY_COMPARE(ProofCacheFile::Read(KeptProofsPath()).proofs.size(), 2);
        QCOMPARE(ProofCacheFile::Read(KeptProofsPath()).proofs.value(PackedCells(apart)).verdict, Rules::Verdict::NotClearable);
    }

    // The kept proofs are those of the figures in the folder, and never more
    // than is read back.
    void keptProofsArePrunedAndFit()
    {
        QHash<QByteArray, FigureProof> many;
        for (int k = 1; many.size() < 120000; ++k) {
            Rules::Figure figure;
            for (int bit = 0; bit < 17; ++bit)
                figure.Set(Rules::CellOf(bit * 13 % 225), (k >> bit) & 1);
            many.insert(PackedCells(figure), {Rules::Verdict::Unknown, 0, {}});
        }
        const QByteArray bytes = ProofCacheFile::Format(many);
        QVERIFY(bytes.size() <= ProofCacheFile::LargestFile);
        const QString path = Write(outside_.filePath(QStringLiteral("many")), bytes);
        QCOMPARE(ProofCacheFile::Read(path).proofs.size(), bytes.count('\n') - 1);

        // Proofs of figures gone from the folder go at the next writing.
        QVERIFY(ProofCacheFile::Write(KeptProofsPath(), {{PackedCells(RowFigure(70)), ProveFigure(RowFigure(70))}}));
        FigureProver::Instance().SetFile(QString());
        InFolder("0001.zumirak", WriteStageFile(QString(), RowFigure(71)));
        PlayerStages::Reload();
        QTRY_COMPARE(ProofCacheFile::Read(KeptProofsPath()).proofs.keys(), QList<QByteArray>{PackedCells(RowFigure(71))});
    }

    // What became of an Add is told in a later turn of the event loop, never
    // from within the call, whatever became of it.
    void anAddEndsLaterAlways()
    {
        QVERIFY(AddNow(QStringLiteral("甲"), FigureOf(Row)).error.isEmpty());
        struct Case {
            const char* name;
            QString title;
            Rules::Figure figure;
        };
        const Case cases[] = {
            {"refused title", QString(40, u'山'), FigureOf(Column)},
            {"there already", QStringLiteral("甲"), FigureOf(Row)},
            {"renamed", QStringLiteral("乙"), FigureOf(Row)},
            {"proven already, new", QStringLiteral("丙"), RowFigure(80)},
            {"to be proven", QStringLiteral("丁"), RowFigure(81)},
        };
        AddNow(QStringLiteral("仮"), RowFigure(80));
        QVERIFY(PlayerStages::Remove(RowFigure(80)));
        for (const Case& c : cases) {
            bool told = false;
            PlayerStages::Add(c.title, c.figure, [&told](const PlayerStages::Added&) { told = true; });
            QVERIFY2(!told, c.name);
            QTRY_VERIFY2(told, c.name);
        }
    }

    // A file copied in slowly is read once it has settled: neither listed
    // nor proven half written. The folder's clock is the test's: held just
    // short of the settling time while the half lies there, however long the
    // machine takes, then moved past it.
    void aFileBeingWrittenIsReadWhole()
    {
        PlayerStages::All();
        QVERIFY(QDir().mkpath(PlayerStages::Folder()));  // the game makes it only to write a stage
        FolderScan::Now clock = FolderScan::ClockNow();
        FolderScan::SetClockForTesting([&clock] { return clock; });
        const Rules::Figure half({{7, 3}, {7, 4}});
        QFile file(PlayerStages::Folder() + QStringLiteral("/0001.zumirak"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Stage]\nTitle=遅\nLayout=1800,4200,2400,4200,");
        file.flush();
        // The half lies there for a moment short of the settling time.
        const FolderScan::Signature halfWritten = *FolderScan::SignatureOf(file.fileName());
        constexpr qint64 JustShort = FolderScan::SettleNs - 1'000'000;
        clock = {std::max(halfWritten.modifiedNs, halfWritten.changedNs) + JustShort, clock.steadyNs + JustShort};
        QTest::qWait(1000);  // the folder's watch has had its say, and again on the settling timer
        QCOMPARE(Titles(), QStringList());
        file.write("3000,4200,3600,4200,\n");
        file.close();
        const FolderScan::Signature whole = *FolderScan::SignatureOf(file.fileName());
        clock = {std::max(whole.modifiedNs, whole.changedNs) + FolderScan::SettleNs, clock.steadyNs + FolderScan::SettleNs};
        QTRY_COMPARE_WITH_TIMEOUT(Titles(), QStringList({"遅"}), 10000);
        FolderScan::SetClockForTesting({});
        QCOMPARE(PlayerStages::All().front().figure.Count(), 4);
        QVERIFY(!FigureProver::Instance().Known(half));
    }

    // Another copy of the game sharing the folder wrote the figure a moment
    // ago, before this one read the file: adding it again renames that
    // stage or finds it there, never writes a second file.
    void aFigureAnotherCopyJustWroteIsNotAddedTwice_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("renamed");
        QTest::newRow("same title") << "甲" << false;
        QTest::newRow("another title") << "丙" << true;
    }
    void aFigureAnotherCopyJustWroteIsNotAddedTwice()
    {
        QFETCH(QString, title);
        QFETCH(bool, renamed);
        PlayerStages::All();
        InFolder("0001.zumirak", Row);
        const PlayerStages::Added added = AddNow(title, FigureOf(Row));
        QVERIFY2(added.error.isEmpty(), qPrintable(added.error));
        QCOMPARE(added.renamed, renamed);
        QCOMPARE(added.alreadyThere, !renamed);
        QCOMPARE(FilesInFolder(), QStringList{QStringLiteral("0001.zumirak")});
        QCOMPARE(Titles(), QStringList{title});
    }

    // A window reads the list it was told of: a proof ending, or a file
    // changed, changes it only together with the telling.
    void theListChangesOnlyWhenTold()
    {
        for (int k = 0; k < 30; ++k)
            InFolder(qPrintable(Numbered(k)), k % 3 ? WriteStageFile(QString(), RowFigure(k + 150))
                                                      : WriteStageFile(QString(), Rules::Figure({{k / 3, 0}, {k / 3 + 1, 1}})));
        std::size_t toldSize = 0;
        const auto connection = connect(&PlayerStagesNotice::Instance(), &PlayerStagesNotice::StagesChanged, this,
                                        [&toldSize] { toldSize = PlayerStages::All().size(); });
        for (int k = 0; k < 30; k += 3)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is left out: not clearable"));
        PlayerStages::Reload();
        bool changedUntold = false;
        QTRY_VERIFY_WITH_TIMEOUT((changedUntold = changedUntold || PlayerStages::All().size() != toldSize, AllProven()), 10000);
        disconnect(connection);
        QVERIFY(!changedUntold);
        QCOMPARE(toldSize, std::size_t(20));
    }

    // The figure on the workshop's board goes before the folder's.
    void theBoardGoesFirst()
    {
        constexpr int Stages = 150;
        for (int k = 0; k < Stages; ++k)
            InFolder(qPrintable(Numbered(k)), WriteStageFile(QString(), RowFigure(k)));
        const Rules::Figure board({{3, 3}, {3, 9}, {11, 9}, {11, 3}, {7, 3}});
        int folderBefore = 0;  // folder figures proven before the board's
        bool boardProven = false;
        const auto connection = connect(&FigureProver::Instance(), &FigureProver::Proven, this, [&](const Rules::Figure& figure) {
            boardProven = boardProven || figure == board;
            folderBefore += boardProven ? 0 : 1;
        });
        PlayerStages::Reload();
        FigureProver::Instance().RequestForBoard(board);
        QTRY_VERIFY(boardProven);
        disconnect(connection);
        FigureProver::Instance().RequestForBoard({});
        QVERIFY2(folderBefore < Stages / 2, qPrintable(QString::number(folderBefore)));
    }
};

QTEST_GUILESS_MAIN(TestStageFile)
#include "test_stage_file.moc"
