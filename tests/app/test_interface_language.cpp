// SPDX-License-Identifier: GPL-3.0-or-later
// Which language the interface speaks: the desktop's (Japanese for a
// Japanese desktop and for the C locale, English for any other), unless the
// player chose one in the Options menu; that choice is kept in the record
// store for the next start, and only once the player has registered.
#include "app/InterfaceLanguage.h"
#include "records/FreshStore.h"

#include <QtTest>

class InterfaceLanguageTest : public QObject {
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<QString>("expected");
        // uiLanguages as Qt reports them for LANG (and LANGUAGE) on Linux.
        const QStringList japanese{"ja-JP", "ja-Jpan-JP", "ja"};
        const QStringList english{"en-US", "en-Latn-US", "en"};
        const QStringList german{"de-DE", "de-Latn-DE", "de"};
        QTest::newRow("Japanese desktop") << QString() << japanese << "ja";
        QTest::newRow("English desktop") << QString() << english << "en";
        QTest::newRow("C locale") << QString() << QStringList{"C"} << "ja";
        QTest::newRow("another language") << QString() << german << "en";
        QTest::newRow("LANGUAGE=de:ja") << QString() << (german + QStringList{"ja"}) << "ja";
        QTest::newRow("chose English, Japanese desktop") << "en" << japanese << "en";
        QTest::newRow("chose Japanese, English desktop") << "ja" << english << "ja";
        QTest::newRow("chose Japanese, C locale") << "ja" << QStringList{"C"} << "ja";
        QTest::newRow("a language no longer built in") << "xx" << german << "en";
    }
    void choice()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, uiLanguages);
        QFETCH(QString, expected);
        QCOMPARE(InterfaceLanguage::Choose(stored, uiLanguages, InterfaceLanguage::Available()), expected);
    }

    void choiceKeptForTheNextStart()
    {
        FreshStore store;
        // Before registering there is no menu: a choice must not make the
        // next start skip the new-user window.
        QVERIFY(!InterfaceLanguage::Store(QStringLiteral("en")));
        QVERIFY(store.Contents().isEmpty());

        QVERIFY(FreshStore::SetUpPlayer(QStringLiteral("Brenhavel"), QStringLiteral("Kim")));
        QVERIFY(InterfaceLanguage::Store(QStringLiteral("en")));
        QVERIFY(store.ReadFile().contains("Language=en"));
        QCOMPARE(InterfaceLanguage::Stored(), QStringLiteral("en"));
        QVERIFY(InterfaceLanguage::Store(InterfaceLanguage::Automatic));
        QCOMPARE(InterfaceLanguage::Stored(), InterfaceLanguage::Automatic);
        // The records stay as they were.
        QCOMPARE(RegUpRead::PeekStage(0).chargeNum, QStringLiteral("1"));
    }
};

QTEST_MAIN(InterfaceLanguageTest)
#include "test_interface_language.moc"
