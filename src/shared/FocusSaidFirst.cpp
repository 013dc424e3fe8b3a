// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/FocusSaidFirst.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace {

// A field reached by Tab (or its shortcut) selects its text: the toolkit
// does that as the field takes the focus, before telling of the focus, and
// the first time the field is reached the caret moves too. The field takes
// the focus as if from a click instead, and selects its text a moment
// later, once the focus has been told.
class FocusFirst : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::FocusIn)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::ShortcutFocusReason)
            return false;
        auto* line = qobject_cast<QLineEdit*>(watched);
        auto* spin = qobject_cast<QAbstractSpinBox*>(watched);
        if (!line && !spin)
            return false;
        QFocusEvent quiet(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(watched, &quiet);
        QTimer::singleShot(0, watched, [field = QPointer<QWidget>(static_cast<QWidget*>(watched)), line, spin] {
            if (!field || !field->hasFocus())
                return;
            if (line && line->inputMask().isEmpty() && !line->hasSelectedText())
                line->selectAll();
            else if (spin)
                spin->selectAll();
        });
        return true;
    }
};

} // namespace

void SayFocusBeforeCaret(QApplication& app)
{
    static FocusFirst* filter = nullptr;
    if (filter)
        return;
    filter = new FocusFirst(&app);
    app.installEventFilter(filter);
}
