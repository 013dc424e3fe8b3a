// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Adds the stage file at `path` to the player's stages, as "zumirak FILE"
// does, and tells the player in a message when it is refused. True when the
// stage is among the player's stages afterwards (added now or before).
bool ImportStageFile(const QString& path, QWidget* parent);
