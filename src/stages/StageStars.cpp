// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageStars.h"

#include "stages/FigureProof.h"
#include "stages/LayoutString.h"

#include <QHash>

#include <algorithm>

int StageStars(const QString& layout)
{
    static QHash<QString, int> known;
    if (const auto found = known.constFind(layout); found != known.cend())
        return *found;
    const std::optional<Rules::Figure> figure = FigureOfLayout(layout);
    const int stars = figure ? StarsOfClearable(*figure) : 0;
    known.insert(layout, stars);
    return stars;
}

QString StarsText(int stars)
{
    return QString(std::max(stars, 0), QChar(u'★'));
}
