// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/FixedSubWindow.h"

#include "shared/AccessibleRole.h"
#include "shared/ProgramPictures.h"

#include <QMdiArea>
#include <QMdiSubWindow>

QMdiSubWindow* AddFixedSubWindow(QMdiArea& workspace, QWidget* content)
{
    auto* frame = new QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(ProgramIcon());
    ExposeRole(*frame, QAccessible::Window);
    frame->setWidget(content);
    workspace.addSubWindow(frame);
    return frame;
}
