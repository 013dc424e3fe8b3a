// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/MsgBox.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>

#include <algorithm>

namespace {
MsgBoxResponder& testResponder()
{
    static MsgBoxResponder responder;
    return responder;
}

// The widest a box grows before it breaks lines anywhere (as QMessageBox
// measures it), less its margins.
int WidestLine(const QScreen* screen)
{
    const int screenWidth = screen ? screen->availableGeometry().width() : 1280;
    const int boxLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    return boxLimit - 80;
}

// Every line kept whole: the label is at least as wide as its longest line,
// which a box breaks only past its own limit; a line longer than that (a long
// file path) is shortened in its middle.
void ShowLinesWhole(QMessageBox& box, const QString& text, const QScreen* screen)
{
    const int widest = WidestLine(screen);
    const QFontMetrics metrics = box.fontMetrics();
    QStringList lines = text.split(u'\n');
    int longest = 0;
    for (QString& line : lines) {
        line = metrics.elidedText(line, Qt::ElideMiddle, widest);
        longest = std::max(longest, metrics.horizontalAdvance(line));
    }
    box.setText(lines.join(u'\n'));
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        label->setMinimumWidth(longest + 4);
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

void FillMsgBox(QMessageBox& box, const MsgBoxShown& shown, QWidget* parent)
{
    box.setWindowTitle(shown.title);
    box.setStandardButtons(shown.buttons);
    if (QAbstractButton* save = box.button(QMessageBox::Save))
        save->setText(QCoreApplication::translate("MsgBox", "保存"));
    if (QAbstractButton* discard = box.button(QMessageBox::Discard))
        discard->setText(QCoreApplication::translate("MsgBox", "保存しない"));
    if (shown.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(shown.defaultButton);
    if (shown.buttons.testFlag(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    ShowLinesWhole(box, QString(shown.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                   parent ? parent->screen() : box.screen());
    // A box is neither maximised nor minimised: its title bar offers only
    // the close button.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    KeepTitleReadable(box);
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")); label && !shown.spoken.isEmpty())
        label->setAccessibleName(shown.spoken);
}

QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& text, const QString& title,
                                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
                                   const QString& spoken)
{
    const MsgBoxShown shown{text, title, buttons, defaultButton, spoken};
    if (testResponder())
        return testResponder()(shown);
    QMessageBox box(QMessageBox::NoIcon, title, QString(), buttons, parent);
    FillMsgBox(box, shown, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void SetMsgBoxResponderForTesting(MsgBoxResponder responder)
{
    testResponder() = std::move(responder);
}
