// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz entry for the reader of ball outline files. Built as a libFuzzer
// target with -DZUMIRAK_FUZZ=ON (clang), and linked into an ordinary test that
// replays the inputs that matter.
//
// Besides not crashing, the reader must keep its promises: a rejected file
// gives no outline and says why; an accepted one gives a bounded list of
// operations that stay in the 40 x 40 field, where every figure starts with a
// move (or is an ellipse) and every line or curve continues an open figure.
#include "play/ShapeFile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void Require(bool promise)
{
    if (!promise) std::abort();
}

bool InField(double value) { return std::isfinite(value) && value >= 0.0 && value <= ShapeFieldSize; }

void RequireSoundOutline(const ShapeOutline& outline)
{
    Require(!outline.operations.empty());
    Require(outline.operations.size() <= MaxShapeOperations);
    bool figureOpen = false;
    for (const ShapeOperation& op : outline.operations) {
        for (const double value : op.values) Require(InField(value));
        switch (op.kind) {
        case ShapeOperation::MoveTo: figureOpen = true; break;
        case ShapeOperation::LineTo:
        case ShapeOperation::QuadTo:
        case ShapeOperation::CubicTo: Require(figureOpen); break;
        case ShapeOperation::Close: Require(figureOpen); figureOpen = false; break;
        case ShapeOperation::Ellipse: {
            Require(!figureOpen);
            const auto& v = op.values;
            Require(v[0] >= v[2] && v[0] + v[2] <= ShapeFieldSize);
            Require(v[1] >= v[3] && v[1] + v[3] <= ShapeFieldSize);
            break;
        }
        default: Require(false);
        }
    }
    Require(!figureOpen);  // every figure is closed
}

} // namespace

// Reads one input, aborts on a broken promise, tells whether it was accepted.
bool ReadAndCheckShape(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ShapeReading reading = ReadShapeText(text);
    if (!reading.ok()) {
        Require(reading.outline.operations.empty());
        return false;
    }
    Require(reading.error.isEmpty());
    RequireSoundOutline(reading.outline);
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReadAndCheckShape(data, size);
    return 0;
}
