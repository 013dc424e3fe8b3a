// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped stages and the reader of layout strings.
#include "stages/LayoutString.h"
#include "play/StageTable.h"

#include <QCryptographicHash>
#include <QtTest>

#include <algorithm>

namespace {

// Ball count and extent (columns x rows) of every shipped stage, taken from
// the stage list the game was designed with, independently of the strings.
struct Shape {
    int balls;
    int columns;
    int rows;
};
constexpr Shape shippedShapes[StageTable::Count] = {
    {18, 3, 10}, {19, 3, 10}, {18, 5, 5},  {20, 6, 6},  {21, 7, 7},  {20, 8, 5},
    {14, 5, 5},  {22, 8, 8},  {19, 5, 8},  {25, 3, 11}, {16, 5, 7},  {21, 6, 6},
    {29, 9, 8},  {28, 9, 7},  {25, 7, 9},  {33, 11, 7}, {32, 6, 9},  {31, 7, 7},
    {30, 8, 8},  {34, 9, 8},  {18, 6, 7},  {31, 7, 11}, {21, 6, 7},  {34, 5, 10},
    {39, 5, 11}, {32, 11, 7}, {13, 6, 6},  {13, 6, 5},  {20, 6, 7},  {28, 9, 7},
};

// Every stage's title and the start of the SHA-256 digest of its layout
// string (UTF-8), as the stages were designed: one moved ball or one changed
// character fails.
struct Pinned {
    const char16_t* title;
    const char* layoutDigest;
};
constexpr Pinned pinnedStages[StageTable::Count] = {
    {u"矢の羽", "3e6e6c6d8e407c2e"},     {u"片根矢", "31eb22cee9102846"},
    {u"升２", "3b05e55352939ea7"},       {u"井", "730ae63eb07adc3f"},
    {u"まん字", "cb91e488739bc046"},     {u"八つ橋", "2e69c4fd8eb24c12"},
    {u"升１", "d0848bbeb7b6a96e"},       {u"九", "b66eb19b26ff7cb9"},
    {u"中", "5787c09f42299576"},         {u"Ｙ", "e7a67daf5fcb708a"},
    {u"ワイングラス", "b3f46c65163a19fc"}, {u"タクシー", "d12b021f950e187b"},
    {u"Q", "486fd63713507133"},          {u"Ｂ’z", "baa152fc814ce411"},
    {u"宗", "a59952e1011804f9"},         {u"MS", "5da1640c9cdc84c0"},
    {u"薬ビン", "78abc1222ed32391"},     {u"チョウチョ", "9473c86255b8053d"},
    {u"克", "e5090e4ead27ece9"},         {u"飛行機", "2d6cb82062931f8a"},
    {u"十字架", "caded7122e929553"},     {u"剣", "8b68ceabc38f5426"},
    {u"与", "64073c266a62c877"},         {u"ピン", "e8feeb65d194f8ba"},
    {u"ピン２", "8b60d3200d116b3b"},     {u"リング", "cf3a9396053b7846"},
    {u"Ａ", "065174ce2262c57e"},         {u"Ａ２", "4a79537f7a2d00d8"},
    {u"やじろべー", "e6014d4639582c85"}, {u"６８", "7d93437945e3fcf8"},
};

} // namespace

class TestCatalogueLayout : public QObject {
    Q_OBJECT

private slots:
    void everyStageReadsWithItsShippedShape();
    void ballCountsSpanThirteenToThirtyNine();
    void stageZeroStartsInColumnOneRowZero();
    void titlesKeepTheirFullWidthCharacters();
    void everyTitleAndLayoutIsAsDesigned();
    void readerAcceptsTheWholeBoard();  // rejections: test_catalogue_nasty_layouts
};

void TestCatalogueLayout::everyStageReadsWithItsShippedShape()
{
    for (int i = 0; i < StageTable::Count; ++i) {
        const QString layout = StageTable::Layout(i);
        const LayoutReading reading = ReadLayoutString(layout);
        QVERIFY2(reading.ok(), qPrintable(QStringLiteral("stage %1: %2").arg(i).arg(reading.error)));

        const Shape& shape = shippedShapes[i];
        QCOMPARE(int(reading.balls.size()), shape.balls);
        QCOMPARE(layout.size(), 10 * shape.balls);
        int columns = 0;
        int rows = 0;
        for (const BallRecord& ball : reading.balls) {
            // The shipped figures keep to the board's upper-left 11 x 11 cells.
            QVERIFY(ball.column() >= 0 && ball.column() <= 10);
            QVERIFY(ball.row() >= 0 && ball.row() <= 10);
            columns = std::max(columns, ball.column() + 1);
            rows = std::max(rows, ball.row() + 1);
        }
        QCOMPARE(columns, shape.columns);
        QCOMPARE(rows, shape.rows);
    }
}

void TestCatalogueLayout::ballCountsSpanThirteenToThirtyNine()
{
    std::vector<int> counts;
    for (int i = 0; i < StageTable::Count; ++i)
        counts.push_back(int(ReadLayoutString(StageTable::Layout(i)).balls.size()));

    const auto largest = std::max_element(counts.begin(), counts.end());
    QCOMPARE(*largest, 39);
    QCOMPARE(largest - counts.begin(), 24);
    QCOMPARE(std::count(counts.begin(), counts.end(), 39), 1);
    QCOMPARE(StageTable::Layout(24).size(), 390);

    QCOMPARE(*std::min_element(counts.begin(), counts.end()), 13);
    QCOMPARE(counts[26], 13);
    QCOMPARE(counts[27], 13);
    QCOMPARE(std::count(counts.begin(), counts.end(), 13), 2);
}

void TestCatalogueLayout::stageZeroStartsInColumnOneRowZero()
{
    const QString layout = StageTable::Layout(0);
    QCOMPARE(layout.size(), 180);
    QVERIFY(layout.startsWith(QStringLiteral("0600,0000,")));
    QVERIFY(layout.endsWith(QLatin1Char(',')));

    const LayoutReading reading = ReadLayoutString(layout);
    QCOMPARE(int(reading.balls.size()), 18);
    QCOMPARE(reading.balls.front().column(), 1);
    QCOMPARE(reading.balls.front().row(), 0);
    QCOMPARE(reading.balls.back().left, 600);
    QCOMPARE(reading.balls.back().top, 5400);
}

void TestCatalogueLayout::titlesKeepTheirFullWidthCharacters()
{
    QCOMPARE(StageTable::Title(0), QStringLiteral("矢の羽"));
    QCOMPARE(StageTable::Title(13), QStringLiteral("Ｂ’z"));
    QCOMPARE(StageTable::Title(27), QStringLiteral("Ａ２"));
    QCOMPARE(StageTable::Title(29), QStringLiteral("６８"));

    // Code points, so that a look-alike ASCII letter or apostrophe is caught.
    const QString bz = StageTable::Title(13);
    QCOMPARE(bz.size(), 3);
    QCOMPARE(bz.at(0).unicode(), char16_t(0xFF22));  // full-width B
    QCOMPARE(bz.at(1).unicode(), char16_t(0x2019));  // right single quotation mark
    QCOMPARE(bz.at(2).unicode(), char16_t(u'z'));    // plain z
    QCOMPARE(StageTable::Title(29).at(0).unicode(), char16_t(0xFF16));
    QCOMPARE(StageTable::Title(12), QStringLiteral("Q"));
    QCOMPARE(StageTable::Title(15), QStringLiteral("MS"));
}

void TestCatalogueLayout::everyTitleAndLayoutIsAsDesigned()
{
    for (int i = 0; i < StageTable::Count; ++i) {
        QCOMPARE(StageTable::Title(i), QString::fromUtf16(pinnedStages[i].title));
        const QByteArray digest =
            QCryptographicHash::hash(StageTable::Layout(i).toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
        QVERIFY2(digest == pinnedStages[i].layoutDigest, qPrintable(QStringLiteral("stage %1").arg(i)));
    }
}

void TestCatalogueLayout::readerAcceptsTheWholeBoard()
{
    // All 225 cells, in reverse order: the largest layout a board can hold.
    QString layout;
    for (int row = 14; row >= 0; --row)
        for (int column = 14; column >= 0; --column)
            layout += QStringLiteral("%1,%2,")
                          .arg(column * 600, 4, 10, QLatin1Char('0'))
                          .arg(row * 600, 4, 10, QLatin1Char('0'));
    const LayoutReading reading = ReadLayoutString(layout);
    QVERIFY2(reading.ok(), qPrintable(reading.error));
    QCOMPARE(int(reading.balls.size()), 225);
    QCOMPARE(reading.balls[13].left, 600);  // "0600" without its leading zero
    QCOMPARE(reading.balls[13].column(), 1);
    QCOMPARE(reading.balls.front().column(), 14);
    QCOMPARE(reading.balls.back().row(), 0);
    // One more ball anywhere must then collide.
    QVERIFY(!ReadLayoutString(layout + QStringLiteral("0600,0600,")).ok());
}

QTEST_GUILESS_MAIN(TestCatalogueLayout)
#include "test_catalogue_layout.moc"
