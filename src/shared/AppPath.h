// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder that holds the program's files: the game finds its sounds,
// pictures, shapes and help there. Paths are built as AppPath() + "/Back1.wav".
// In a build folder the files lie beside the program; installed, they lie in
// the shared data folder (DataFolderOf).
QString AppPath();

// The folder of the program file itself, where its modules lie.
QString ProgramFolder();

// Where the files of a program in programFolder are: beside it when they are
// there (a build folder), else in the data folder of the installed layout
// (share/games/zumirak for a program in lib/games/zumirak).
QString DataFolderOf(const QString& programFolder);

// Tests point the program at another folder (for example one with files
// missing): both the files and the modules are then looked for there.
void SetAppPathForTesting(const QString& folder);
