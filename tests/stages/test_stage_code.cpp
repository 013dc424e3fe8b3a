// SPDX-License-Identifier: GPL-3.0-or-later
// Stage codes: every figure size comes back whole with its title, also as
// pasted; a code stays short and in letters and digits; and a damaged or
// foreign code is refused instead of read as some other figure.
#include "stages/StageCode.h"

#include <QRegularExpression>
#include <QtTest>

using Rules::Cell;
using Rules::Figure;

namespace {

// `balls` cells spread over the board: cell numbers 0, 7, 14, ... modulo 225
// (7 and 225 share no factor, so every cell comes up once).
Figure Scattered(int balls)
{
    Figure figure;
    for (int k = 0; k < balls; ++k) {
        const int n = (k * 7) % 225;
        figure.Set({n / 15, n % 15}, true);
    }
    return figure;
}

const QString LongTitle = QStringLiteral("富士山の見える丘と三つの湖と細い道を歩く猫の一日ですよね？あいう");  // 32

} // namespace

class StageCodeTest : public QObject {
    Q_OBJECT

private slots:
    void everyFigureSizeComesBackWhole()
    {
        struct Edge {
            const char* name;
            std::vector<Cell> cells;
        };
        const Edge edges[] = {
            {"first cell", {{0, 0}}},
            {"last cell", {{14, 14}}},
            {"corners", {{0, 0}, {0, 14}, {14, 0}, {14, 14}}},
            {"last row", {{14, 0}, {14, 5}, {14, 13}, {14, 14}}},
        };
        std::vector<std::pair<QString, Figure>> figures;
        for (int balls = 1; balls <= 225; ++balls)
            figures.emplace_back(QString::number(balls) + QStringLiteral(" balls"), Scattered(balls));
        for (const Edge& edge : edges)
            figures.emplace_back(QString::fromLatin1(edge.name), Figure(edge.cells));

        // Any title a stage file may hold: odd spaces, and 32 characters that
        // take two UTF-16 units each.
        QString cats;
        for (int i = 0; i < LongestTitle; ++i)
            cats += QStringLiteral("🐈");
        const QString titles[] = {QString(), QStringLiteral("富士山"), LongTitle, QStringLiteral("🐈 cat"),
                                  QStringLiteral("a\u00A0b\u2009c\u3000d"), cats};
        static const QRegularExpression safe(QStringLiteral("^ZMK1-[A-Z2-7]+$"));
        int t = 0;
        for (const auto& [name, figure] : figures) {
            const QString title = titles[t++ % std::size(titles)];
            const QString code = EncodeStageCode(title, figure);
            QVERIFY2(safe.match(code).hasMatch(), qPrintable(name + u' ' + code));
            // As pasted, too: lower case, broken over lines by a mail program,
            // or among words.
            const QString wrapped = code.left(20) + QStringLiteral("\r\n  ") + code.mid(20) + u'\n';
            const QString inWords = QStringLiteral("コード: ZMK %1 です\nZMK1-A more").arg(code);
            for (const QString& pasted : {code, code.toLower(), wrapped, inWords}) {
                const StageCodeReading reading = DecodeStageCode(pasted);
                QVERIFY2(reading.ok(), qPrintable(name + u' ' + reading.error));
                QVERIFY2(reading.figure == figure, qPrintable(name));
                QCOMPARE(reading.title, title);
            }
        }
        // A full board, without its title, in under 60 characters.
        QVERIFY(EncodeStageCode(QString(), Scattered(225)).size() < 60);
    }

    void damagedAndForeignCodesAreRefused()
    {
        const QString sparse = EncodeStageCode(QStringLiteral("富士山"), Scattered(5));
        const QString full = EncodeStageCode(QStringLiteral("富士山"), Scattered(225));
        QStringList codes;
        // Every single changed character, in a sparse and a full code.
        for (const QString& code : {sparse, full}) {
            for (qsizetype i = 5; i < code.size(); ++i) {
                QString damaged = code;
                damaged[i] = code[i] == u'A' ? u'B' : u'A';
                codes << damaged;
            }
            codes << code.chopped(1) << code.chopped(4) << code + u'A' << code + QStringLiteral("AAAAAAAA");
        }
        codes << EncodeStageCode(QStringLiteral("空"), Figure())  // no ball
              << EncodeStageCode(QStringLiteral("a\u2028b"), Scattered(5))  // a title no file may hold either
              << QStringLiteral("ZMK1-") << QStringLiteral("ZMK1-0189") << QStringLiteral("ZMK1-!!!!");
        for (const QString& code : codes) {
            const StageCodeReading reading = DecodeStageCode(code);
            QVERIFY2(!reading.ok(), qPrintable(code));
            QCOMPARE(reading.error, QStringLiteral("ステージコードが壊れています。"));
            QCOMPARE(reading.figure, Figure());
        }

        const QString foreign[] = {QString(), QStringLiteral("https://example.com/stage"),
                                   QStringLiteral("0600,0000,0600,0600,"), QString(2000, u'A'),
                                   QStringLiteral("ZMKX-AAAA"), sparse + QString(LongestPastedCode, u' ')};
        for (const QString& code : foreign) {
            const StageCodeReading reading = DecodeStageCode(code);
            QCOMPARE(reading.error, QStringLiteral("ズミラクのステージコードではありません。"));
        }
        QVERIFY(DecodeStageCode(QStringLiteral("ZMK2-") + sparse.mid(5)).error.contains(QStringLiteral("新しい版")));
    }
};

QTEST_APPLESS_MAIN(StageCodeTest)
#include "test_stage_code.moc"
