// SPDX-License-Identifier: GPL-3.0-or-later
// The one title rule, as a stage file and a stage code apply it: a title
// that would show something else than it says (a line of its own in a
// message, text turned around) comes through neither.
#include "stages/StageCode.h"
#include "stages/StageFile.h"
#include "stages/StageTitle.h"

#include <QtTest>

class StageTitleTest : public QObject {
    Q_OBJECT

private slots:
    void titlesThatMisleadAreRefusedEverywhere_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("accepted");
        const auto with = [](char16_t c) { return QStringLiteral("bank") + QChar(c) + QStringLiteral("zumirak"); };
        QTest::newRow("plain") << QStringLiteral("富士山 🐈") << true;
        QTest::newRow("no-break space, U+FEFF, marks") << with(0xA0) + QChar(0xFEFF) + QChar(0x200F) << true;
        QTest::newRow("tab") << with(0x09) << false;
        QTest::newRow("DEL") << with(0x7F) << false;
        QTest::newRow("C1 first, U+0080") << with(0x80) << false;
        QTest::newRow("C1 next line, U+0085") << with(0x85) << false;
        QTest::newRow("C1 last, U+009F") << with(0x9F) << false;
        QTest::newRow("line separator") << with(0x2028) << false;
        QTest::newRow("paragraph separator") << with(0x2029) << false;
        QTest::newRow("left-to-right embedding, U+202A") << with(0x202A) << false;
        QTest::newRow("right-to-left override, U+202E") << with(0x202E) << false;
        QTest::newRow("left-to-right isolate, U+2066") << with(0x2066) << false;
        QTest::newRow("pop directional isolate, U+2069") << with(0x2069) << false;
    }
    void titlesThatMisleadAreRefusedEverywhere()
    {
        QFETCH(QString, title);
        QFETCH(bool, accepted);
        const Rules::Figure figure({{0, 0}, {0, 3}});
        QCOMPARE(CheckTitle(title) == TitleFault::None, accepted);
        const StageFileReading file = ReadStageFile(WriteStageFile(title, figure));
        QCOMPARE(file.ok(), accepted);
        if (!accepted)
            QVERIFY2(file.reasonForLog.contains(QLatin1String("control character")), qPrintable(file.reasonForLog));
        const StageCodeReading code = DecodeStageCode(EncodeStageCode(title, figure));
        QCOMPARE(code.ok(), accepted);
        if (accepted)
            QCOMPARE(code.title, title);
    }
};

QTEST_GUILESS_MAIN(StageTitleTest)
#include "test_stage_title.moc"
