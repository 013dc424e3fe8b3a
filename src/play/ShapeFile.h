// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

// Ball outlines are kept in small text files (".shp") of our own making.
//
//   ZUMIRAK-SHAPE 1
//   # a triangle, point up
//   polygon 20 0  40 38  0 38
//
// The first line names the format and its version; only version 1 exists.
// Every further line is blank, a comment starting with '#', or one figure.
// Figures are drawn in a 40 x 40 field (x to the right, y downwards) and
// scaled to the button; the outline is the union of all figures.
//
//   ellipse CX CY RX RY         an ellipse centred on (CX, CY) with radii RX, RY
//   polygon X1 Y1 X2 Y2 ...     a closed polygon of three or more points
//   path OP ...                 a closed path; OP is one of
//                                 M X Y            move to (must come first)
//                                 L X Y            line to
//                                 Q CX CY X Y      quadratic curve to
//                                 C AX AY BX BY X Y  cubic curve to
//                                 Z                close the current figure
//
// Numbers are plain decimals ("20", "12.5") between 0 and 40, so every point
// lies in the field; an ellipse must fit in it too. Words are separated by
// spaces or tabs; lines end with LF or CRLF. A file that breaks any rule,
// holds no figure, has an outline without area, or is larger than
// MaxShapeFileBytes is rejected as a whole.

inline constexpr double ShapeFieldSize = 40.0;
inline constexpr qsizetype MaxShapeFileBytes = 64 * 1024;
inline constexpr std::size_t MaxShapeOperations = 4096;

// One drawing operation of an outline, in field coordinates.
struct ShapeOperation {
    enum Kind { MoveTo, LineTo, QuadTo, CubicTo, Close, Ellipse };
    Kind kind = MoveTo;
    // MoveTo/LineTo: x, y. QuadTo: control x, y, end x, y. CubicTo: two
    // controls and the end. Ellipse: centre x, y, radius x, y.
    std::array<double, 6> values{};
};

struct ShapeOutline {
    std::vector<ShapeOperation> operations;
};

struct ShapeReading {
    ShapeOutline outline;  // empty unless the whole text was read
    QString error;         // why the text was rejected, with its line number
    bool ok() const { return error.isEmpty(); }
};

// The outline of a button without shape file: the circle inscribed in the field.
ShapeOutline BuiltInCircle();

// Reads the text of a shape file. Never fails on any input other than by
// returning an error.
ShapeReading ReadShapeText(const QByteArray& text);

// Reads a shape file from disk; a missing, unreadable or oversized file is an error.
ShapeReading ReadShapeFile(const QString& path);
