// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"
#include "stages/StageTitle.h"

#include <QString>

// A stage code: one line of text that carries a stage's title and figure,
// short enough to paste into a chat, made only of letters and digits that
// chat programs and e-mail pass on unchanged:
//
//   ZMK1-<body>
//
// The body is the base32 (A-Z, 2-7) of: a packing byte; the figure, either
// as the 225 cells' bits (29 bytes) or, for few balls, as a count and one
// byte per ball cell; the title in UTF-8; and a CRC-16 over all of it, so a
// code damaged on its way is refused instead of read as another figure.
// A full board takes 57 characters.

struct StageCodeReading {
    QString title;
    Rules::Figure figure;
    QString error;  // empty when the code was read whole; else why not, for the player
    bool ok() const { return error.isEmpty(); }
};

// The longest text worth reading as a pasted code: a full board and the
// longest title, with room for words around it. A longer text is refused at
// once, before any copy of it is made.
inline constexpr qsizetype LongestPastedCode = 16 * 1024;

// The code of a stage; a title longer than LongestTitle characters is cut.
QString EncodeStageCode(const QString& title, const Rules::Figure& figure);

// Reads a code as pasted: spaces and line breaks inside it, and lower-case
// letters, are accepted, and so are words around it (「コード: ZMK1-… です」).
// Refuses a code of another program, a damaged code and one with no ball.
StageCodeReading DecodeStageCode(const QString& code);
