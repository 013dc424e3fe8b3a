// SPDX-License-Identifier: GPL-3.0-or-later
// What the player is told: each announcement reaches the screen reader once,
// step by step, without what was said before; a question's buttons read
// 保存 and 保存しない and answer as they read.
#include "shared/Announce.h"
#include "shared/MsgBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QtTest>

class TestTellingThePlayer : public QObject {
    Q_OBJECT

private slots:
    void eachStepIsSaidOnce()
    {
        QWidget source;
        source.show();
        QStringList heard;
        ListenToUtterances([&heard](const QString& utterance) { heard << utterance; });
        // Words of a few steps in the workshop, each in its own turn.
        const QString steps[] = {QStringLiteral("8行 9列 空き"), QStringLiteral("クリアできます"),
                                 QStringLiteral("9行 9列 空き")};
        for (const QString& said : steps) {
            heard.clear();
            Announce(source, said);
            QTRY_COMPARE(heard, QStringList{said});
        }
        ListenToUtterances({});
    }

    void questionButtonsAnswerAsTheyRead_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("save") << QStringLiteral("保存") << QMessageBox::Save;
        QTest::newRow("discard") << QStringLiteral("保存しない") << QMessageBox::Discard;
    }
    void questionButtonsAnswerAsTheyRead()
    {
        QFETCH(QString, label);
        QFETCH(QMessageBox::StandardButton, answer);
        // The player presses the button that reads `label`; a box without
        // one is closed, which answers Cancel.
        QTimer player;
        connect(&player, &QTimer::timeout, this, [&player, label] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;  // not up yet
            player.stop();
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == label)
                    return button->click();
            }
            box->reject();
        });
        player.start(10);
        const auto pressed = MsgBox(nullptr, QStringLiteral("保存しますか？"), QStringLiteral("ズミラク"),
                                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Cancel);
        QCOMPARE(pressed, answer);
    }
};

QTEST_MAIN(TestTellingThePlayer)
#include "test_telling_the_player.moc"
