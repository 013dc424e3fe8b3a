// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// A stage's layout string: N records of ten characters, "LLLL,TTTT," with the
// ball's Left and Top in twips (multiples of 600, one board cell each).
struct BallRecord {
    int left = 0;  // twips
    int top = 0;   // twips
    int column() const { return left / 600; }
    int row() const { return top / 600; }
};

// Why a layout string was refused, for those who explain it to a player.
enum class LayoutFault { None, NoBall, Form, OffBoard, SharedCell };

struct LayoutReading {
    std::vector<BallRecord> balls;  // record k is ball k
    QString error;                  // empty when the string was read whole; else why not, in English
    QString reason;                 // the same for the player
    LayoutFault fault = LayoutFault::None;
    bool ok() const { return error.isEmpty(); }
};

// Reads a layout string. Rejects, with a message in `error` and `reason`
// (balls counted from 1, cells as row,column from 0,0 as a take order
// names them) and no balls, an
// empty string (a stage without balls), a length that is not a multiple of
// ten, a field that is not four digits or not followed by its comma, a value
// that is not a multiple of 600, a cell outside 0..14, and two balls on one
// cell.
LayoutReading ReadLayoutString(QStringView layout);

// The figure the balls make.
Rules::Figure FigureOfBalls(const std::vector<BallRecord>& balls);

// The figure of a layout string; nullopt when the string cannot be read.
std::optional<Rules::Figure> FigureOfLayout(QStringView layout);

// The layout string of a figure, its balls row by row.
QString LayoutOf(const Rules::Figure& figure);
