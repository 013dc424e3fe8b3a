// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMdiArea;
class QMdiSubWindow;
class QWidget;

// A sub-window of the main window's workspace with a fixed single border:
// caption, system menu and close box only, the program's icon, and the role
// of a window for assistive technology. The frame owns `content` and is
// deleted when it closes.
QMdiSubWindow* AddFixedSubWindow(QMdiArea& workspace, QWidget* content);
