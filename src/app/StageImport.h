// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// Stage files named on the command line or handed over by a later copy
// join the player's stages once the main window is there, never on top of
// the splash or the new-user window. Each batch ends in one message that
// says which stage each file became, which stage already had its figure,
// and why a file was refused; the main window comes to the front with the
// selection window on the stage added.
namespace StageImport {

// Queues `paths` and returns at once: they are imported on a later turn of
// the event loop, one batch at a time, so a message still open never lets
// another batch begin.
void Queue(const QStringList& paths);

} // namespace StageImport
