// SPDX-License-Identifier: GPL-3.0-or-later
// The layout reader's verdict on damaged strings, replayed through the fuzz
// entry so that every case also checks the reader's promises (no balls on
// rejection; on acceptance, distinct cells that write back to the input).
#include "play/StageTable.h"

#include <QtTest>

#include <cstdint>

// From fuzz_layout.cpp: aborts on a broken promise, returns the verdict.
bool ReadAndCheckLayout(const std::uint8_t* data, std::size_t size);

namespace {

// The fuzz entry's first byte chooses the encoding of the rest.
QByteArray AsUtf8(const QByteArray& text) { return QByteArray(1, '\0') + text; }

QByteArray AsUtf16(const QString& text)
{
    QByteArray bytes(1, '\x01');
    for (QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return bytes;
}

} // namespace

class TestCatalogueNastyLayouts : public QObject {
    Q_OBJECT

private slots:
    void verdicts_data();
    void verdicts();
};

void TestCatalogueNastyLayouts::verdicts_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("top-left cell") << AsUtf8("0000,0000,") << true;
    QTest::newRow("last cell of the board") << AsUtf8("8400,8400,") << true;
    QTest::newRow("largest stage as UTF-16") << AsUtf16(StageTable::Layout(24)) << true;
    QTest::newRow("empty") << AsUtf8("") << false;
    QTest::newRow("short record") << AsUtf8("0600,0000") << false;
    QTest::newRow("one character over") << AsUtf8("0600,0000,0") << false;
    QTest::newRow("records shifted") << AsUtf8(",0600,0000") << false;
    QTest::newRow("comma missing after Left") << AsUtf8("0600;0000,") << false;
    QTest::newRow("comma missing at the end") << AsUtf8("0600,0000 ") << false;
    QTest::newRow("letter in Left") << AsUtf8("06O0,0000,") << false;
    QTest::newRow("sign in Top") << AsUtf8("0600,-600,") << false;
    QTest::newRow("blank in Top") << AsUtf8("0600, 600,") << false;
    QTest::newRow("NUL in a field") << AsUtf8(QByteArray("0600,00\0000,", 10)) << false;
    QTest::newRow("invalid UTF-8") << AsUtf8("0600,\xff\xfe\xfd\xfc,") << false;
    QTest::newRow("full-width digit") << AsUtf16(QStringLiteral("0600,０000,")) << false;
    QTest::newRow("lone high surrogate") << AsUtf16(QChar(0xD800) + QStringLiteral("600,0000,")) << false;
    QTest::newRow("off the cell grid") << AsUtf8("0600,0300,") << false;
    QTest::newRow("column 15") << AsUtf8("9000,0000,") << false;
    QTest::newRow("row 15") << AsUtf8("0000,9000,") << false;
    QTest::newRow("largest four digits") << AsUtf8("9999,9999,") << false;
    QTest::newRow("good record, then a bad one") << AsUtf8("0600,0000,0600,00x0,") << false;
    QTest::newRow("two balls on one cell") << AsUtf8("0000,0000,0600,0000,0000,0000,") << false;
    QTest::newRow("a million commas") << AsUtf8(QByteArray(1000000, ',')) << false;
    QTest::newRow("a stage repeated past the board") << AsUtf8(StageTable::Layout(24).toUtf8().repeated(2000))
                                                     << false;
}

void TestCatalogueNastyLayouts::verdicts()
{
    QFETCH(QByteArray, input);
    QFETCH(bool, accepted);
    QCOMPARE(ReadAndCheckLayout(reinterpret_cast<const std::uint8_t*>(input.constData()), std::size_t(input.size())),
             accepted);
}

QTEST_GUILESS_MAIN(TestCatalogueNastyLayouts)
#include "test_catalogue_nasty_layouts.moc"
