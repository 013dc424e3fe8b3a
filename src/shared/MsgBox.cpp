// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/MsgBox.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>

namespace {
MsgBoxResponder& testResponder()
{
    static MsgBoxResponder responder;
    return responder;
}
// Where the program draws the title bar itself (Wayland without the
// compositor's decorations), a box as narrow as a short text would cut its
// title to a glyph: the box is at least as wide as the title and the close
// button beside it. The box sizes itself from its layout, so the room is
// asked for there.
void KeepTitleReadable(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QFontMetrics metrics(box.font());
    const int titleRoom = metrics.horizontalAdvance(box.windowTitle()) * 3 / 2 + 4 * metrics.height() + 48;
    grid->addItem(new QSpacerItem(titleRoom, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}
} // namespace

QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& text, const QString& title,
                                   QMessageBox::StandardButtons buttons)
{
    if (testResponder())
        return testResponder()({text, title, buttons});
    QMessageBox box(QMessageBox::NoIcon, title, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                    buttons, parent);
    // A box is neither maximised nor minimised: its title bar offers only
    // the close button.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    KeepTitleReadable(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void SetMsgBoxResponderForTesting(MsgBoxResponder responder)
{
    testResponder() = std::move(responder);
}
