// SPDX-License-Identifier: GPL-3.0-or-later
// The first-run window as a new player meets it: its texts, layout and tab
// order; what OK stores (blank names, blanks kept, every stage record) and
// that it hands over to the next window; and that closing it stores nothing.
#include "records/FreshStore.h"
#include "records/RegUpRead.h"
#include "records/UserAdd.h"
#include "records/WindowWatch.h"

#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace RegUpRead;

namespace {

// Types into a box as a player would: Japanese arrives from the input method
// as committed text, the rest key by key.
void Type(QLineEdit* box, const QString& text)
{
    bool latin1 = true;
    for (QChar c : text)
        latin1 = latin1 && c.unicode() < 0x80;
    if (latin1) {
        QTest::keyClicks(box, text);
        return;
    }
    QInputMethodEvent committed;
    committed.setCommitString(text);
    QApplication::sendEvent(box, &committed);
}

QString ProgramValue(const QString& name)
{
    return KeyStore::ReadValue(HKEY_CURRENT_USER, ProgramKey, name);
}

} // namespace

class UserAddTest : public QObject {
    Q_OBJECT

    // What the start-up shows when the new-user window hands over.
    std::unique_ptr<QWidget> next_;

    // How the player confirms: the OK button, or Return in one of the boxes.
    enum class ConfirmBy { Ok, ReturnInCompany, ReturnInUser };

    // Types the names and confirms. True when the window handed over to the
    // next one and closed, with the next window up before it closed.
    bool Confirm(const QString& company, const QString& user, ConfirmBy by = ConfirmBy::Ok)
    {
        auto* window = new UserAdd;
        connect(window, &UserAdd::Confirmed, this, [this] {
            next_ = std::make_unique<QWidget>();
            next_->show();
        });
        window->show();
        Type(window->FactBox, company);
        Type(window->UserBox, user);
        QPointer<UserAdd> guard(window);
        auto* watch = new WindowWatch(window);
        if (by == ConfirmBy::Ok)
            QTest::mouseClick(window->Command1, Qt::LeftButton);
        else
            QTest::keyClick(by == ConfirmBy::ReturnInCompany ? window->FactBox : window->UserBox, Qt::Key_Return);
        const bool handedOver = watch->closed && watch->othersOpenAtClose;
        delete watch;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (guard || !handedOver) {
            qWarning("the new-user window did not hand over to the next window");
            return false;
        }
        return true;
    }

private slots:
    void init()
    {
        UserName.clear();
        CompanyName.clear();
    }

    void cleanup() { next_.reset(); }

    void textsAndTabOrder()
    {
        FreshStore store;
        UserAdd window;
        QCOMPARE(window.windowTitle(), QStringLiteral("ﾕｰｻﾞ登録"));
        QCOMPARE(window.size(), QSize(298, 151));
        QVERIFY(!(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

        QCOMPARE(window.Label1[2]->text(), QStringLiteral("ズミラクをDownLoadして頂き、ありがとうございました"));
        QCOMPARE(window.Label1[3]->text(), QStringLiteral("使用される前にユーザ登録を行って下さい。"));
        QCOMPARE(window.Label1[0]->text(), QStringLiteral("会社名"));
        QCOMPARE(window.Label1[1]->text(), QStringLiteral("ユーザ名"));
        QCOMPARE(window.Command1->text(), QStringLiteral("ＯＫ"));
        QVERIFY(window.FactBox->text().isEmpty());
        QVERIFY(window.UserBox->text().isEmpty());
        // Assistive technology reads the boxes and the button by their labels.
        QCOMPARE(QAccessible::queryAccessibleInterface(window.FactBox)->text(QAccessible::Name), QStringLiteral("会社名"));
        QCOMPARE(QAccessible::queryAccessibleInterface(window.UserBox)->text(QAccessible::Name), QStringLiteral("ユーザ名"));
        QCOMPARE(QAccessible::queryAccessibleInterface(window.Command1)->text(QAccessible::Name), QStringLiteral("ＯＫ"));

        // The company box has the focus; Tab goes on to the user box and OK.
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), window.FactBox);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.UserBox);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.Command1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.FactBox);
        QCOMPARE(store.Contents(), QStringList());
    }

    void okStoresTheProfileAndAllRecordsThenHandsOver_data()
    {
        QTest::addColumn<ConfirmBy>("by");
        QTest::newRow("OK button") << ConfirmBy::Ok;
        QTest::newRow("Return in the company box") << ConfirmBy::ReturnInCompany;
        QTest::newRow("Return in the user box") << ConfirmBy::ReturnInUser;
    }

    void okStoresTheProfileAndAllRecordsThenHandsOver()
    {
        QFETCH(ConfirmBy, by);
        FreshStore store;
        QVERIFY(Confirm(QStringLiteral("ブレンハーベル"), QStringLiteral("山田 花子"), by));
        QCOMPARE(CompanyName, QStringLiteral("ブレンハーベル"));
        QCOMPARE(UserName, QStringLiteral("山田 花子"));

        QCOMPARE(ProgramValue(QStringLiteral("F_Name")), QStringLiteral("ブレンハーベル"));
        QCOMPARE(ProgramValue(QStringLiteral("U_Name")), QStringLiteral("山田 花子"));
        QCOMPARE(ProgramValue(QStringLiteral("LoadDate")), TodayText());
        for (int stage = 0; stage < StageSlots; ++stage) {
            QCOMPARE(KeyStore::ReadValue(HKEY_CURRENT_USER, StageKey(stage), QStringLiteral("ChargeNum")),
                     QStringLiteral("1"));
            QCOMPARE(KeyStore::ReadValue(HKEY_CURRENT_USER, StageKey(stage), QStringLiteral("ClearTime")),
                     QStringLiteral("0"));
        }

        // The next start finds the player.
        UserName.clear();
        RegReadUser();
        QVERIFY(KeyFound);
        QCOMPARE(UserName, QStringLiteral("山田 花子"));
    }

    void emptyNamesBecomeIdeographicSpacesBlanksStay_data()
    {
        QTest::addColumn<QString>("typedCompany");
        QTest::addColumn<QString>("typedUser");
        QTest::addColumn<QString>("storedCompany");
        QTest::addColumn<QString>("storedUser");
        const QString ideographic(QChar(0x3000));
        QTest::newRow("both empty") << QString() << QString() << ideographic << ideographic;
        QTest::newRow("blanks only") << QStringLiteral("  ") << QStringLiteral(" ")
                                     << QStringLiteral("  ") << QStringLiteral(" ");
        QTest::newRow("blanks around") << QStringLiteral(" a ") << QString() << QStringLiteral(" a ") << ideographic;
    }

    void emptyNamesBecomeIdeographicSpacesBlanksStay()
    {
        QFETCH(QString, typedCompany);
        QFETCH(QString, typedUser);
        QFETCH(QString, storedCompany);
        QFETCH(QString, storedUser);
        FreshStore store;
        QVERIFY(Confirm(typedCompany, typedUser));
        QCOMPARE(CompanyName, storedCompany);
        QCOMPARE(UserName, storedUser);
        QCOMPARE(ProgramValue(QStringLiteral("F_Name")), storedCompany);
        QCOMPARE(ProgramValue(QStringLiteral("U_Name")), storedUser);
    }

    void closingWithoutOkStoresNothingAndEndsTheProgram()
    {
        FreshStore store;
        auto* window = new UserAdd;
        window->show();
        QTest::keyClicks(window->FactBox, QStringLiteral("typed but not confirmed"));
        WindowWatch watch(window);
        window->close();
        QVERIFY(watch.closed);
        QVERIFY(!watch.othersOpenAtClose);  // the last window: the program ends
        QVERIFY(!WindowWatch::AnyWindowOpen());
        QCOMPARE(store.Contents(), QStringList());
        RegReadUser();
        QVERIFY(!KeyFound);
    }
};

QTEST_MAIN(UserAddTest)
#include "test_user_add.moc"
