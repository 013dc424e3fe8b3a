// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tests answer the program's questions through responders; a box that still
// opens for real (a responder missing, a wrong answer leading somewhere the
// test did not go) would wait for a player who never comes. While an
// UnexpectedBoxes lives, every modal window that opens fails the running test
// at once, naming its title and text, and is cancelled so the test goes on.

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>

class UnexpectedBoxes : public QObject {
public:
    UnexpectedBoxes() { qApp->installEventFilter(this); }
    ~UnexpectedBoxes() override { qApp->removeEventFilter(this); }

    // While one lives, the boxes a test opens on purpose (and answers or
    // closes itself) are let be.
    class Expected {
    public:
        Expected() { ++ExpectedNow(); }
        ~Expected() { --ExpectedNow(); }
        Expected(const Expected&) = delete;
        Expected& operator=(const Expected&) = delete;
    };

    // Its title and every text it shows, as one line.
    static QString Described(const QWidget& window)
    {
        QStringList texts{window.windowTitle()};
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            if (!label->text().isEmpty())
                texts << label->text();
        }
        return texts.join(QStringLiteral(" | ")).replace(u'\n', u' ');
    }

private:
    static int& ExpectedNow()
    {
        static int expected = 0;
        return expected;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !object->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(object);
        if (!window->isWindow() || !window->isModal() || ExpectedNow() > 0)
            return false;
        const QString failure = QStringLiteral("unexpected box: ") + Described(*window);
        QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
        // Cancelled once it is fully shown, from its own event loop.
        QTimer::singleShot(0, window, [dialog = QPointer<QWidget>(window)] {
            if (auto* box = qobject_cast<QDialog*>(dialog.data()))
                box->reject();
            else if (dialog)
                dialog->close();
        });
        return false;
    }
};
