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

} // namespace

void Announce(QWidget& source, const QString& text)
{
    Last() = text;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&source, text);
    QAccessible::updateAccessibility(&event);
#elif defined(ZUMIRAK_ATSPI_SPEECH)
    SayOnAccessibilityBus(source, text);
#else
    Q_UNUSED(source);
#endif
}

const QString& LastAnnouncement() { return Last(); }
