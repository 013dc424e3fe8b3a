// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

#include <vector>

// Where the arrow keys move the keyboard focus among the balls of a stage.
// The rule follows the game's own way of looking along rows and columns: an
// arrow key goes to the nearest ball in that straight line (the same row for
// Left and Right, the same column for Up and Down), taken or not. Balls off
// that line are never chosen; when the line holds no ball in that direction,
// the focus stays where it is. Every ball can still be reached with Tab.
enum class ArrowDirection { Left, Right, Up, Down };

// The index of the ball that the arrow moves to from ball `from`, or -1.
// `cells` holds every ball's cell as (column, row), in ball order.
int BallInDirection(const std::vector<QPoint>& cells, int from, ArrowDirection direction);
