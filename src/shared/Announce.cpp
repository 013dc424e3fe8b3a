// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/Announce.h"

#include <QAccessible>
#include <QString>
#include <QWidget>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0) && defined(ZUMIRAK_ATSPI_SPEECH)
#include "shared/AtSpiSpeech.h"
#endif

namespace {

QString& Last()
{
    static QString text;
    return text;
}

std::function<void(const QString&)>& Listener()
{
    static std::function<void(const QString&)> listener;
    return listener;
}

} // namespace

void Announce(QWidget& source, const QString& text)
{
    Last() = text;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    TellUtteranceListener(text);
    QAccessibleAnnouncementEvent event(&source, text);
    QAccessible::updateAccessibility(&event);
#elif defined(ZUMIRAK_ATSPI_SPEECH)
    SayOnAccessibilityBus(source, text);
#else
    Q_UNUSED(source);
    TellUtteranceListener(text);
#endif
}

const QString& LastAnnouncement() { return Last(); }

void ListenToUtterances(std::function<void(const QString&)> listener) { Listener() = std::move(listener); }

void TellUtteranceListener(const QString& utterance)
{
    if (Listener())
        Listener()(utterance);
}
