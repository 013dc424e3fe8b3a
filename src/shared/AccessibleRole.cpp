// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/AccessibleRole.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char RoleProperty[] = "zumirakAccessibleRole";
constexpr char BesideTableProperty[] = "zumirakBesideTable";

class RoleWidget : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focused = QApplication::focusWidget() == widget();
        return state;
    }

    QAccessibleInterface* parent() const override
    {
        if (widget()->property(BesideTableProperty).toBool())
            return QAccessible::queryAccessibleInterface(widget()->window());
        return QAccessibleWidget::parent();
    }

    QString text(QAccessible::Text kind) const override
    {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            text = widget()->windowTitle();
        return text;
    }
};

// Asked for every object with its class names from the most derived up;
// answers for the widgets that carry a role.
QAccessibleInterface* RoleFactory(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    const QVariant role = object->property(RoleProperty);
    if (!role.isValid())
        return nullptr;
    return new RoleWidget(static_cast<QWidget*>(object), static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void ExposeRole(QWidget& widget, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(RoleFactory);
        return true;
    }();
    Q_UNUSED(installed);
    widget.setProperty(RoleProperty, static_cast<int>(role));
}

void PlaceInnerWidgetsBesideTable(QWidget& table)
{
    for (QWidget* inner : table.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        inner->setProperty(BesideTableProperty, true);
        ExposeRole(*inner, QAccessible::Client);
    }
}
