// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of ball outline files: the shipped files, what it accepts, and
// broken and nasty inputs replayed through the fuzz entry, which checks that
// a rejected file gives no outline and an accepted one a sound outline.
#include "play/ShapeFile.h"
#include "shared/AppPath.h"

#include <QtTest>

#include <cstdint>

// From fuzz_shape_file.cpp: aborts when the reader breaks a promise, returns
// whether it accepted the input.
bool ReadAndCheckShape(const std::uint8_t* data, std::size_t size);

namespace {

bool Feed(const QByteArray& input)
{
    return ReadAndCheckShape(reinterpret_cast<const std::uint8_t*>(input.constData()), std::size_t(input.size()));
}

QByteArray WithHeader(const QByteArray& body) { return "ZUMIRAK-SHAPE 1\n" + body; }

QByteArray Repeated(const QByteArray& line, int times)
{
    QByteArray text;
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

} // namespace

class TestShapedFile : public QObject {
    Q_OBJECT

private slots:
    void shippedFilesAreRead_data();
    void shippedFilesAreRead();
    void acceptsTheFormsOfOurFormat();
    void missingFileIsAnError();
    void inputsKeepTheReadersPromises_data();
    void inputsKeepTheReadersPromises();
};

void TestShapedFile::shippedFilesAreRead_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("firstKind");
    QTest::newRow("circle") << "B_Push.shp" << int(ShapeOperation::Ellipse);
    QTest::newRow("triangle") << "S_Push.shp" << int(ShapeOperation::MoveTo);
    QTest::newRow("diamond") << "D_Push.shp" << int(ShapeOperation::MoveTo);
    QTest::newRow("oval") << "M_Push.shp" << int(ShapeOperation::MoveTo);
}

void TestShapedFile::shippedFilesAreRead()
{
    QFETCH(QString, file);
    QFETCH(int, firstKind);
    const ShapeReading reading = ReadShapeFile(AppPath() + u'/' + file);
    QVERIFY2(reading.ok(), qPrintable(reading.error));
    QCOMPARE(int(reading.outline.operations.front().kind), firstKind);
}

void TestShapedFile::acceptsTheFormsOfOurFormat()
{
    // Byte order mark, CRLF, tabs, comments, blank lines, decimals, several
    // figures and several subpaths in one path.
    const QByteArray text = "\xEF\xBB\xBFZUMIRAK-SHAPE\t1\r\n"
                            "\r\n"
                            "   # two figures\r\n"
                            "ellipse 10.5 10.25 10 10\r\n"
                            "path M 20 20 L 40 20 Q 40 40 20 40 Z M 0 30 L 10 30 C 10 35 5 40 0 40\r\n";
    const ShapeReading reading = ReadShapeText(text);
    QVERIFY2(reading.ok(), qPrintable(reading.error));
    const auto& ops = reading.outline.operations;
    QCOMPARE(ops.size(), std::size_t(9));
    QCOMPARE(ops[0].values[0], 10.5);
    QCOMPARE(ops[0].values[1], 10.25);
    QCOMPARE(ops[3].kind, ShapeOperation::QuadTo);
    QCOMPARE(ops[4].kind, ShapeOperation::Close);
    QCOMPARE(ops[7].kind, ShapeOperation::CubicTo);
    QCOMPARE(ops[8].kind, ShapeOperation::Close);  // an open path is closed at its end

    // The built-in circle is the circle of the field.
    const ShapeOutline circle = BuiltInCircle();
    QCOMPARE(circle.operations.size(), std::size_t(1));
    QCOMPARE(circle.operations[0].values, (std::array<double, 6>{20, 20, 20, 20, 0, 0}));
}

void TestShapedFile::missingFileIsAnError()
{
    QTemporaryDir folder;
    QVERIFY(!ReadShapeFile(folder.filePath("nowhere.shp")).ok());
    QVERIFY(!ReadShapeFile(folder.path()).ok());  // a folder, not a file
    QVERIFY(!ReadShapeFile(QString()).ok());

    // A file just over the limit is turned down without being read whole.
    QFile big(folder.filePath("big.shp"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    big.write(WithHeader("ellipse 20 20 20 20\n"));
    big.write(QByteArray(MaxShapeFileBytes, '#'));
    big.close();
    QVERIFY(!ReadShapeFile(big.fileName()).ok());
}

void TestShapedFile::inputsKeepTheReadersPromises_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("nothing") << QByteArray() << false;
    QTest::newRow("header only") << QByteArray("ZUMIRAK-SHAPE 1\n") << false;
    QTest::newRow("no header") << QByteArray("ellipse 20 20 20 20\n") << false;
    QTest::newRow("header lower case") << QByteArray("zumirak-shape 1\nellipse 20 20 20 20\n") << false;
    QTest::newRow("another version") << QByteArray("ZUMIRAK-SHAPE 2\nellipse 20 20 20 20\n") << false;
    QTest::newRow("header with extra word") << QByteArray("ZUMIRAK-SHAPE 1 x\nellipse 20 20 20 20\n") << false;
    QTest::newRow("comments only") << WithHeader("# nothing\n") << false;
    QTest::newRow("unknown figure") << WithHeader("circle 20 20 20\n") << false;
    QTest::newRow("figure in capitals") << WithHeader("ELLIPSE 20 20 20 20\n") << false;
    QTest::newRow("ellipse short") << WithHeader("ellipse 20 20 20\n") << false;
    QTest::newRow("ellipse long") << WithHeader("ellipse 20 20 20 20 1\n") << false;
    QTest::newRow("ellipse leaves the field") << WithHeader("ellipse 30 20 20 20\n") << false;
    QTest::newRow("ellipse without area") << WithHeader("ellipse 20 20 0 20\n") << false;
    QTest::newRow("polygon of two points") << WithHeader("polygon 0 0 40 40\n") << false;
    QTest::newRow("polygon odd count") << WithHeader("polygon 0 0 40 0 40\n") << false;
    QTest::newRow("polygon on a line") << WithHeader("polygon 0 0 20 20 40 40\n") << false;
    QTest::newRow("beyond the field") << WithHeader("polygon 0 0 40.5 0 0 40\n") << false;
    QTest::newRow("negative") << WithHeader("polygon -1 0 40 0 0 40\n") << false;
    QTest::newRow("plus sign") << WithHeader("polygon +1 0 40 0 0 40\n") << false;
    QTest::newRow("exponent") << WithHeader("polygon 1e1 0 40 0 0 40\n") << false;
    QTest::newRow("nan") << WithHeader("polygon nan 0 40 0 0 40\n") << false;
    QTest::newRow("inf") << WithHeader("polygon inf 0 40 0 0 40\n") << false;
    QTest::newRow("trailing point") << WithHeader("polygon 1. 0 40 0 0 40\n") << false;
    QTest::newRow("leading point") << WithHeader("polygon .5 0 40 0 0 40\n") << false;
    QTest::newRow("two points") << WithHeader("polygon 1.2.3 0 40 0 0 40\n") << false;
    QTest::newRow("comma decimal") << WithHeader("polygon 1,5 0 40 0 0 40\n") << false;
    QTest::newRow("huge number") << WithHeader("polygon 99999999999999999999 0 40 0 0 40\n") << false;
    QTest::newRow("leading zeros past the limit") << WithHeader("polygon 0000000000001 0 40 0 0 40\n") << false;
    QTest::newRow("NUL in a number") << WithHeader(QByteArray("polygon 1\0 0 40 0 0 40\n", 23)) << false;
    QTest::newRow("path without move") << WithHeader("path L 40 0 L 0 40 Z\n") << false;
    QTest::newRow("path empty") << WithHeader("path\n") << false;
    QTest::newRow("path lacks numbers") << WithHeader("path M 0 0 L 40 0 C 1 2 3\n") << false;
    QTest::newRow("path close twice") << WithHeader("path M 0 0 L 40 0 L 0 40 Z Z\n") << false;
    QTest::newRow("path unknown operation") << WithHeader("path M 0 0 H 40 L 0 40 Z\n") << false;
    QTest::newRow("path lower case") << WithHeader("path m 0 0 l 40 0 l 0 40 z\n") << false;
    QTest::newRow("path on a line") << WithHeader("path M 0 0 L 40 40 Z\n") << false;
    QTest::newRow("good figure then a bad line") << WithHeader("ellipse 20 20 20 20\nellipse\n") << false;
    QTest::newRow("too large")
        << WithHeader("ellipse 20 20 20 20\n" + Repeated("#\n", int(MaxShapeFileBytes))) << false;
    QTest::newRow("too many operations")
        << WithHeader(Repeated("polygon 0 0 40 0 0 40\n", int(MaxShapeOperations))) << false;
    QTest::newRow("only a newline") << QByteArray("\n") << false;
    QTest::newRow("only a BOM") << QByteArray("\xEF\xBB\xBF") << false;
    QTest::newRow("header without newline") << QByteArray("ZUMIRAK-SHAPE 1") << false;
    QTest::newRow("figure without newline") << QByteArray("ZUMIRAK-SHAPE 1\nellipse 20 20 20 20") << true;
    QTest::newRow("carriage returns only") << QByteArray("ZUMIRAK-SHAPE 1\rellipse 20 20 20 20\r") << false;
    QTest::newRow("NUL bytes") << QByteArray(64, '\0') << false;
    QTest::newRow("binary") << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452") << false;
    QTest::newRow("a file of another format")
        << QByteArray("Shape-Editor File for BUTTON/100,40/1/I;Ellipse,(20,0),(40,20),(20,40),(0,20)/") << false;
    QTest::newRow("move after move") << WithHeader("path M 0 0 M 40 0 L 0 40 L 40 40\n") << true;
    QTest::newRow("close then line") << WithHeader("path M 0 0 L 40 0 L 0 40 Z L 4 4\n") << false;
    QTest::newRow("Z alone") << WithHeader("path Z\n") << false;
    QTest::newRow("very long line") << WithHeader("polygon" + Repeated(" 40", 20000) + "\n") << false;
    QTest::newRow("many spaces") << WithHeader(QByteArray(60000, ' ') + "\n") << false;
    QTest::newRow("many short lines") << WithHeader(Repeated("\n", 60000) + "ellipse 20 20 20 20\n") << true;
    // A move, a line, the repeated lines and the closing make up the operations.
    const int linesAtLimit = int(MaxShapeOperations) - 3;
    QTest::newRow("operations at the limit")
        << WithHeader("path M 0 0 L 40 0" + Repeated(" L 0 40", linesAtLimit) + "\n") << true;
    QTest::newRow("operations one past the limit")
        << WithHeader("path M 0 0 L 40 0" + Repeated(" L 0 40", linesAtLimit + 1) + "\n") << false;
    QTest::newRow("UTF-8 in a comment") << WithHeader("# まる\nellipse 20 20 20 20\n") << true;
    QTest::newRow("UTF-8 as a figure") << WithHeader("楕円 20 20 20 20\n") << false;
    QTest::newRow("field edges") << WithHeader("polygon 0 0 40 0 40 40 0 40\n") << true;
    QTest::newRow("tiny triangle") << WithHeader("polygon 0 0 1 0 0 1\n") << false;
}

void TestShapedFile::inputsKeepTheReadersPromises()
{
    QFETCH(QByteArray, input);
    QFETCH(bool, accepted);
    QCOMPARE(Feed(input), accepted);
}

QTEST_GUILESS_MAIN(TestShapedFile)
#include "test_shaped_file.moc"
