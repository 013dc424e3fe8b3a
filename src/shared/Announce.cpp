// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/Announce.h"

#include <QAccessible>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace {

// The widget whose description carries the last announcement, and the
// description it had before.
struct Carrier {
    QPointer<QWidget> widget;
    QString ownDescription;
};

Carrier& LastCarrier()
{
    static Carrier carrier;
    return carrier;
}

} // namespace

void Announce(QWidget& source, const QString& text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&source, text);
    QAccessible::updateAccessibility(&event);
#else
    Carrier& last = LastCarrier();
    if (last.widget != &source) {
        if (last.widget)
            last.widget->setAccessibleDescription(last.ownDescription);
        last = {&source, source.accessibleDescription()};
    }
    if (source.accessibleDescription() == text) {
        // The same words again (a second refusal): the change is sent all the same.
        QAccessibleEvent event(&source, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    } else {
        source.setAccessibleDescription(text);
    }
#endif
}
