// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageTitle.h"

TitleFault CheckTitle(QStringView title)
{
    int characters = 0;
    for (qsizetype i = 0; i < title.size(); ++i) {
        const QChar c = title[i];
        if (c.isHighSurrogate() && i + 1 < title.size() && title[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return TitleFault::BrokenCharacter;
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
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
