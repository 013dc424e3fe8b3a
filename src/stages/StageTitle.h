// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// The one rule for the title of a stage of the player's own, kept alike by
// the stage-file reader, the stage codes and the workshop's title field, so
// that any title one of them accepts the others write and read back.

// Counted in characters (code points): an emoji is one, not two.
inline constexpr int LongestTitle = 32;

enum class TitleFault {
    None,
    TooLong,           // more than LongestTitle characters
    ControlCharacter,  // a line break, a tab or another control (C0, DEL, C1), a line or
                       // paragraph separator, a direction override or isolate
    BrokenCharacter,   // half of a UTF-16 pair: no file or code can carry it
};

TitleFault CheckTitle(QStringView title);

// Its first LongestTitle characters, never half a pair.
QString CutTitle(const QString& title);
