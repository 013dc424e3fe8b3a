// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/AtSpiSpeech.h"

#include "shared/Announce.h"

#include <QCoreApplication>
#include <QAccessible>
#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QWidget>


namespace {

// Where an event comes from, as the bus expects it: the sender's bus name and
// the path of the application's root object.
struct ObjectReference {
    QString service;
    QDBusObjectPath path;
};

QDBusArgument& operator<<(QDBusArgument& argument, const ObjectReference& reference)
{
    argument.beginStructure();
    argument << reference.service << reference.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, ObjectReference& reference)
{
    argument.beginStructure();
    argument >> reference.service >> reference.path;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(ObjectReference)

namespace {

// The toolkit's own connection to the accessibility bus, under the name it
// gives it, so the event comes from the same sender as the object's others.
QDBusConnection ToolkitBus() { return QDBusConnection(QStringLiteral("a11y")); }

const QString RootPath = QStringLiteral("/org/a11y/atspi/accessible/root");

QString PathOf(QAccessibleInterface* face)
{
    if (face->role() == QAccessible::Application)
        return RootPath;
    return QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(QAccessible::uniqueId(face));
}

// The objects the screen reader may follow as the focused one: the widget
// with the keyboard focus, and the innermost part of it that has the focus
// (a table's current cell); the toolkit tells of one or the other. Else the
// source.
QList<QAccessibleInterface*> FocusedObjects(QWidget& source)
{
    QWidget* focused = QApplication::focusWidget();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(focused ? focused : &source);
    if (!face || !face->isValid())
        return {};
    QList<QAccessibleInterface*> faces{face};
    for (int depth = 0; depth < 8; ++depth) {
        QAccessibleInterface* inner = faces.last()->focusChild();
        if (!inner || faces.contains(inner) || !inner->isValid())
            break;
        faces.append(inner);
    }
    if (faces.size() > 2)
        faces = {faces.first(), faces.last()};
    return faces;
}

// Sends the words as a description change of the focused object.
void Send(QWidget& source, const QString& text)
{
    QDBusConnection bus = ToolkitBus();
    if (!bus.isConnected() || !QAccessible::isActive())
        return;
    static const bool registered = [] {
        qDBusRegisterMetaType<ObjectReference>();
        return true;
    }();
    Q_UNUSED(registered);
    // The screen reader speaks it for the one it follows and lets the other go.
    for (QAccessibleInterface* face : FocusedObjects(source)) {
        QDBusMessage signal = QDBusMessage::createSignal(PathOf(face), QStringLiteral("org.a11y.atspi.Event.Object"),
                                                         QStringLiteral("PropertyChange"));
        signal.setArguments({QStringLiteral("accessible-description"), 0, 0,
                             QVariant::fromValue(QDBusVariant(text)),
                             QVariant::fromValue(ObjectReference{bus.baseService(), QDBusObjectPath(RootPath)})});
        bus.send(signal);
    }
}

// While a menu has the keys, the screen reader follows its items, not a
// widget: what a command chosen there says waits until the keys are back.
bool KeysInMenus()
{
    return QApplication::activePopupWidget() || qobject_cast<QMenuBar*>(QApplication::focusWidget());
}

// What is said in one turn of the event loop goes out as one utterance, after
// the toolkit's own news of that turn (a new focus, a new value): a screen
// reader cuts each utterance short with the next.
class Speaker : public QObject {
public:
    static Speaker& Instance()
    {
        static Speaker* speaker = new Speaker(qApp);
        return *speaker;
    }

    void Add(QWidget& source, const QString& text)
    {
        source_ = &source;
        texts_.append(text);
        // Each new text waits for the rest of its turn again.
        if (!look_.isActive() || look_.interval() == 0) {
            waited_ = 0;
            look_.start(0);
        }
    }

private:
    explicit Speaker(QObject* parent) : QObject(parent)
    {
        // A menu left with the mouse changes no focus: a look now and then.
        connect(&look_, &QTimer::timeout, this, [this] {
            look_.setInterval(LookMilliseconds);
            if (KeysInMenus() && (waited_ += LookMilliseconds) < LongestWaitMilliseconds)
                return;
            look_.stop();
            const QString said = texts_.join(QCoreApplication::translate("Announce", "、"));
            texts_.clear();
            if (!source_)
                return;
            TellUtteranceListener(said);
            Send(*source_, said);
        });
    }

    static constexpr int LookMilliseconds = 100;
    static constexpr int LongestWaitMilliseconds = 3000;
    QPointer<QWidget> source_;
    QStringList texts_;
    QTimer look_;
    int waited_ = 0;
};

} // namespace

void SayOnAccessibilityBus(QWidget& source, const QString& text)
{
    if (!text.isEmpty())
        Speaker::Instance().Add(source, text);
}
