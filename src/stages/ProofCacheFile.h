// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Solver.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// The proofs of the player's stages, kept on disk between runs: one line per
// figure, "<cells in hex>=<verdict> <stars>", under a first line that names
// the form and the solver's limits, so that proofs made under other limits
// are thrown away. Written in the crash-safe way of the records.
namespace ProofCacheFile {

struct Line {
    Rules::Verdict verdict = Rules::Verdict::Unknown;
    int stars = 0;
};

// The proofs the file holds, by packed cells; none for a missing, foreign or damaged file.
QHash<QByteArray, Line> Read(const QString& path);

// True when the file reached the disk.
bool Write(const QString& path, const QHash<QByteArray, Line>& proofs);

} // namespace ProofCacheFile
