#pragma once

#include <QString>

// The folder that holds the program file: the game finds its sounds, pictures,
// shapes and help beside itself. Paths are built as AppPath() + "/Back1.wav".
QString AppPath();

// Tests point the program at another folder (for example one with files missing).
void SetAppPathForTesting(const QString& folder);
