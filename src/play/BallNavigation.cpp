// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/BallNavigation.h"

int BallInDirection(const std::vector<QPoint>& cells, int from, ArrowDirection direction)
{
    if (from < 0 || from >= static_cast<int>(cells.size()))
        return -1;
    const QPoint here = cells[static_cast<std::size_t>(from)];
    // One step in the arrow's direction, as (column, row).
    QPoint step;
    switch (direction) {
    case ArrowDirection::Left: step = {-1, 0}; break;
    case ArrowDirection::Right: step = {1, 0}; break;
    case ArrowDirection::Up: step = {0, -1}; break;
    case ArrowDirection::Down: step = {0, 1}; break;
    }

    int nearest = -1;
    int nearestDistance = 0;
    for (int k = 0; k < static_cast<int>(cells.size()); ++k) {
        const QPoint offset = cells[static_cast<std::size_t>(k)] - here;
        // On the line: no offset across it; ahead: a positive distance along it.
        const bool onLine = step.x() != 0 ? offset.y() == 0 : offset.x() == 0;
        const int distance = offset.x() * step.x() + offset.y() * step.y();
        if (!onLine || distance <= 0)
            continue;
        if (nearest < 0 || distance < nearestDistance) {
            nearest = k;
            nearestDistance = distance;
        }
    }
    return nearest;
}
