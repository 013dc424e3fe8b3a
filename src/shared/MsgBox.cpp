// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/MsgBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

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
} // namespace

QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& text, const QString& title,
                                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    if (testResponder())
        return testResponder()({text, title, buttons, defaultButton});
    QMessageBox box(QMessageBox::NoIcon, title, QString(), buttons, parent);
    if (QAbstractButton* save = box.button(QMessageBox::Save))
        save->setText(QCoreApplication::translate("MsgBox", "保存"));
    if (QAbstractButton* discard = box.button(QMessageBox::Discard))
        discard->setText(QCoreApplication::translate("MsgBox", "保存しない"));
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    if (buttons.testFlag(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    ShowLinesWhole(box, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                   parent ? parent->screen() : box.screen());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void SetMsgBoxResponderForTesting(MsgBoxResponder responder)
{
    testResponder() = std::move(responder);
}
