// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/BoardState.h"
#include "rules/Figure.h"

#include <QString>
#include <QStringList>

#include <set>
#include <vector>

// A figure drawn as text, top-left corner first: one line per row, 'o' a
// ball, anything else an empty cell.
inline Rules::Figure FigureFromText(const QString& picture)
{
    Rules::Figure figure;
    const QStringList lines = picture.split(u'\n', Qt::SkipEmptyParts);
    for (int r = 0; r < lines.size(); ++r) {
        const QString line = lines[r].trimmed();
        for (int c = 0; c < line.size(); ++c) {
            if (line[c] == u'o') figure.Set({r, c}, true);
        }
    }
    return figure;
}

// Whether `order` takes every ball of the figure, once each, through the rules.
inline bool ClearsThroughTheRules(const Rules::Figure& figure, const std::vector<Rules::Cell>& order)
{
    Rules::BoardState board(figure);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const auto expected = k + 1 == order.size() ? Rules::ClickOutcome::Completed : Rules::ClickOutcome::Taken;
        if (board.Click(order[k]) != expected) return false;
    }
    return static_cast<int>(std::set<Rules::Cell>(order.begin(), order.end()).size()) == figure.Count() &&
           static_cast<int>(order.size()) == figure.Count();
}
