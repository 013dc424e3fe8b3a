// Replays, through the fuzz entry, the layout strings that matter most: the
// shipped stages and the kinds of damage that once broke readers like ours.
#include "play/StageTable.h"

#include <QtTest>

#include <cstdint>

// From fuzz_layout.cpp: aborts when the reader breaks a promise, returns
// whether it accepted the input.
bool ReadAndCheckLayout(const std::uint8_t* data, std::size_t size);

namespace {

bool Feed(const QByteArray& input)
{
    return ReadAndCheckLayout(reinterpret_cast<const std::uint8_t*>(input.constData()), std::size_t(input.size()));
}

// The fuzz entry's first byte chooses the encoding of the rest.
QByteArray AsUtf8(const QByteArray& text) { return QByteArray(1, '\0') + text; }

QByteArray AsUtf16(const QString& text)
{
    QByteArray bytes(1, '\x01');
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

} // namespace

class TestCatalogueNastyLayouts : public QObject {
    Q_OBJECT

private slots:
    void shippedStagesKeepTheReadersPromises();
    void damagedInputsKeepTheReadersPromises_data();
    void damagedInputsKeepTheReadersPromises();
};

void TestCatalogueNastyLayouts::shippedStagesKeepTheReadersPromises()
{
    for (int i = 0; i < StageTable::Count; ++i) {
        QVERIFY(Feed(AsUtf16(StageTable::Layout(i))));
        QVERIFY(Feed(AsUtf8(StageTable::Layout(i).toUtf8())));
    }
}

void TestCatalogueNastyLayouts::damagedInputsKeepTheReadersPromises_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("nothing") << QByteArray() << false;
    QTest::newRow("lone high surrogate") << AsUtf16(QChar(0xD800) + QStringLiteral("600,0000,")) << false;
    QTest::newRow("lone low surrogate as a comma")
        << AsUtf16(QStringLiteral("0600") + QChar(0xDC2C) + QStringLiteral("0000,")) << false;
    QTest::newRow("NUL in a field") << AsUtf8(QByteArray("0600,00\0000,", 10)) << false;
    QTest::newRow("invalid UTF-8") << AsUtf8("0600,\xff\xfe\xfd\xfc,") << false;
    QTest::newRow("full-width digit") << AsUtf16(QStringLiteral("0600,０000,")) << false;
    QTest::newRow("multibyte character shifts the record") << AsUtf8("0600,０000,") << false;
    QTest::newRow("largest four digits") << AsUtf8("9999,9999,") << false;
    QTest::newRow("last cell of the board") << AsUtf8("8400,8400,") << true;
    QTest::newRow("one past the board") << AsUtf8("9000,8400,") << false;
    QTest::newRow("duplicate far apart") << AsUtf8("0000,0000,0600,0000,0000,0000,") << false;
    QTest::newRow("a million commas") << AsUtf8(QByteArray(1000000, ',')) << false;
    QTest::newRow("a stage repeated past the board") << AsUtf8(StageTable::Layout(24).toUtf8().repeated(2000)) << false;
}

void TestCatalogueNastyLayouts::damagedInputsKeepTheReadersPromises()
{
    QFETCH(QByteArray, input);
    QFETCH(bool, accepted);
    QCOMPARE(Feed(input), accepted);
}

QTEST_GUILESS_MAIN(TestCatalogueNastyLayouts)
#include "test_catalogue_nasty_layouts.moc"
