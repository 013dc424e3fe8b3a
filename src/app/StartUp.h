// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class InstanceLock;
class QApplication;
class QWidget;

// The program's start, before any window: names, the interface's language
// with its font, and the same language for Qt's own dialogs.
void PrepareApplication(QApplication& app);

// Refuses a second running copy ("既に起動されています"), unless it was started
// with stage files, which it then hands to the running copy (or, when that
// copy does not take them, names in the refusal). Otherwise reads the user's
// data, shows the splash, or on a first run the new-user window, and queues
// the stage files for import once the main window is there. Returns that
// first window, or nullptr when the program must end at once.
QWidget* StartUp(InstanceLock& lock, const QStringList& stageFiles = {});
