// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageTitle.h"

namespace {

// Characters that would make a title show something else than it says: line
// breaks and other controls, the line and paragraph separators that start a
// line of their own in a message, and the direction overrides and isolates
// that turn around the text after them.
bool Misleads(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F)  // C0 controls, DEL, C1 controls
           || c == 0x2028 || c == 0x2029          // line and paragraph separators
           || (c >= 0x202A && c <= 0x202E)        // embeddings and overrides
           || (c >= 0x2066 && c <= 0x2069);       // isolates
}

} // namespace

TitleFault CheckTitle(QStringView title)
{
    int characters = 0;
    for (qsizetype i = 0; i < title.size(); ++i) {
        const QChar c = title[i];
        if (c.isHighSurrogate() && i + 1 < title.size() && title[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return TitleFault::BrokenCharacter;
        else if (Misleads(c.unicode()))
            return TitleFault::ControlCharacter;
        ++characters;
    }
    return characters > LongestTitle ? TitleFault::TooLong : TitleFault::None;
}

QString CutTitle(const QString& title)
{
    qsizetype end = 0;
    for (int characters = 0; end < title.size() && characters < LongestTitle; ++characters)
        end += title[end].isHighSurrogate() && end + 1 < title.size() && title[end + 1].isLowSurrogate() ? 2 : 1;
    return title.left(end);
}
