// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/AccessibleMenuItems.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {

// The menu or menu bar that shows `action`.
QWidget* OwnerOf(const QAction& action)
{
    for (QObject* shown : action.associatedObjects()) {
        if (qobject_cast<QMenu*>(shown) || qobject_cast<QMenuBar*>(shown))
            return static_cast<QWidget*>(shown);
    }
    return nullptr;
}

class MenuItemFace : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    MenuItemFace(QWidget* owner, QAction* action) : owner_(owner), action_(action) {}

    bool isValid() const override { return owner_ && action_; }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return owner_ ? owner_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(owner_); }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    // A submenu item has its menu as its one child.
    int childCount() const override { return action_ && action_->menu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && childCount() == 1 ? QAccessible::queryAccessibleInterface(action_->menu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && childCount() == 1 && child->object() == action_->menu() ? 0 : -1;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (!isValid())
            return {};
        if (kind == QAccessible::Name)
            return QString(action_->text()).remove(u'&');
        if (kind == QAccessible::Accelerator)
            return action_->shortcut().toString(QKeySequence::NativeText);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        QRect shown;
        if (const auto* menu = qobject_cast<const QMenu*>(owner_))
            shown = menu->actionGeometry(action_);
        else if (const auto* bar = qobject_cast<const QMenuBar*>(owner_))
            shown = bar->actionGeometry(action_);
        return shown.isValid() ? QRect(owner_->mapToGlobal(shown.topLeft()), shown.size()) : QRect();
    }

    // The desktop's bridge of this toolkit version does not pass "checkable"
    // on: an item with a check mark reads as a check box, which screen
    // readers say checked or not checked. (Its menu, MenuFace, counts such
    // an item among its children.) A submenu item reads as expandable.
    QAccessible::Role role() const override
    {
        if (!action_)
            return QAccessible::MenuItem;
        if (action_->isSeparator())
            return QAccessible::Separator;
        if (action_->isCheckable() && qobject_cast<QMenu*>(owner_))
            return QAccessible::CheckBox;
        return QAccessible::MenuItem;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.invisible = !owner_->isVisible() || !action_->isVisible();
        state.disabled = action_->isSeparator() || !action_->isEnabled();
        state.checkable = action_->isCheckable();
        state.checked = action_->isChecked();
        state.hasPopup = action_->menu() != nullptr;
        state.expandable = state.hasPopup;
        state.expanded = state.hasPopup && action_->menu()->isVisible();
        state.collapsed = state.expandable && !state.expanded;
        state.focusable = !state.disabled;
        const QAction* active = nullptr;
        if (const auto* menu = qobject_cast<const QMenu*>(owner_))
            active = menu->activeAction();
        else if (const auto* bar = qobject_cast<const QMenuBar*>(owner_))
            active = bar->activeAction();
        state.focused = active == action_;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        if (!action_ || action_->isSeparator() || !action_->isEnabled())
            return {};
        return {action_->menu() ? showMenuAction() : pressAction()};
    }

    void doAction(const QString& name) override
    {
        if (!isValid() || !action_->isEnabled())
            return;
        if (name == showMenuAction()) {
            if (auto* bar = qobject_cast<QMenuBar*>(owner_))
                bar->setActiveAction(action_);
            else if (auto* menu = qobject_cast<QMenu*>(owner_))
                menu->setActiveAction(action_);
        } else if (name == pressAction()) {
            action_->trigger();
        }
    }

    // As the desktop's accessibility interface spells a binding:
    // "mnemonic;key path;shortcut", here only the shortcut.
    QStringList keyBindingsForAction(const QString& name) const override
    {
        if (!action_ || name != pressAction() || action_->shortcut().isEmpty())
            return {};
        return {QStringLiteral(";;") + action_->shortcut().toString(QKeySequence::NativeText)};
    }

private:
    QPointer<QWidget> owner_;
    QPointer<QAction> action_;
};

// A menu whose children are its items, whatever their role (the toolkit's
// own counts only plain menu items and separators, and would lose a check
// box), and whose parent is the item that opens it.
class MenuFace : public QAccessibleWidget {
public:
    explicit MenuFace(QMenu* menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

    int childCount() const override { return int(Menu()->actions().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QAction*> items = Menu()->actions();
        return index >= 0 && index < items.size() ? QAccessible::queryAccessibleInterface(items[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(Menu()->actions().indexOf(qobject_cast<QAction*>(child->object()))) : -1;
    }
    QAccessibleInterface* focusChild() const override
    {
        QAction* active = Menu()->activeAction();
        return active ? QAccessible::queryAccessibleInterface(active) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        QAction* item = Menu()->actionAt(Menu()->mapFromGlobal(QPoint(x, y)));
        return item ? QAccessible::queryAccessibleInterface(item) : nullptr;
    }
    QAccessibleInterface* parent() const override
    {
        QAction* opener = Menu()->menuAction();
        if (opener && OwnerOf(*opener))
            return QAccessible::queryAccessibleInterface(opener);
        return QAccessibleWidget::parent();
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return QString(Menu()->title()).remove(u'&');
        return QAccessibleWidget::text(kind);
    }

private:
    QMenu* Menu() const { return static_cast<QMenu*>(widget()); }
};

QAccessibleInterface* MenuItemFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QMenu"))
        return new MenuFace(static_cast<QMenu*>(object));
    if (className != QLatin1String("QAction"))
        return nullptr;
    auto* action = static_cast<QAction*>(object);
    QWidget* owner = OwnerOf(*action);
    return owner ? new MenuItemFace(owner, action) : nullptr;
}

} // namespace

void ExposeMenuItems()
{
    static const bool installed = [] {
        QAccessible::installFactory(MenuItemFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
