// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/MsgBox.h"

namespace {
MsgBoxResponder& testResponder()
{
    static MsgBoxResponder responder;
    return responder;
}
} // namespace

QMessageBox::StandardButton MsgBox(QWidget* parent, const QString& text, const QString& title,
                                   QMessageBox::StandardButtons buttons)
{
    if (testResponder())
        return testResponder()({text, title, buttons});
    QMessageBox box(QMessageBox::NoIcon, title, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                    buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void SetMsgBoxResponderForTesting(MsgBoxResponder responder)
{
    testResponder() = std::move(responder);
}
