// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stages/FigureProof.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// The proofs of the player's stages, kept on disk between runs. The first
// line names the form, the solver's version, the stars' scale and the
// solver's limits; then one line per figure:
//   <packed cells in hex> <clearable|not-clearable|unknown> <stars> <order of takes in hex, or -> <check>
// where the check is the start of a hash of the rest of the line. A line is
// read only when it holds: well formed, its check right, a clearable
// figure's order replayed by the rules, and the others made by the same
// solver's version (and under the same limits for "unknown"). Any other
// line is dropped: its figure is proven again. The check tells a torn or
// mistyped line, not an edit: what a line says beyond its order of takes
// (the stars, or that a figure is not clearable) is believed only for the
// moment, until the prover has confirmed it (FigureProver).
namespace ProofCacheFile {

// The largest file read; a larger one is read this far.
inline constexpr qint64 LargestFile = 8 * 1024 * 1024;

struct Reading {
    QHash<QByteArray, FigureProof> proofs;  // by packed cells
    int dropped = 0;                        // lines not believed
};

// What the file holds; nothing for a missing or foreign file.
Reading Read(const QString& path);

// The file's bytes for these proofs, in the order of their cells, as many
// as fit in LargestFile (the rest are left out, and proven again).
QByteArray Format(const QHash<QByteArray, FigureProof>& proofs);

// True when the file reached the disk.
bool Write(const QString& path, const QHash<QByteArray, FigureProof>& proofs);

} // namespace ProofCacheFile
