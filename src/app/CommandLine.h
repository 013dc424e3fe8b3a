// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// The forms of the command line that need no display and start no game:
// --check, --generate, --help and --version. They take no lock and touch
// no record.

// True when the arguments (argv as the program got it) ask for one of them,
// or cannot start the game (an unknown option): RunCommandLine then says why.
bool IsCommandLineForm(int argc, char** argv);

// Runs the form in `arguments` (QCoreApplication::arguments()) and returns
// the exit status.
int RunCommandLine(const QStringList& arguments);

// The stage files named on a command line that starts the game
// ("zumirak FILE.zumirak"): every argument that is neither an option nor an
// option's value, and every one after "--".
QStringList StageFilesOnCommandLine(const QStringList& arguments);
