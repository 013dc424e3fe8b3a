// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Adds the stage file at `path` to the player's stages, as "zumirak FILE"
// does, and tells the player in a message when it is refused (once its
// proof, off the window's thread, has said so).
void ImportStageFile(const QString& path, QWidget* parent);
