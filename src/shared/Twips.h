// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window layouts are designed in twips, 15 to a pixel on the reference screen.
// Everything goes through these helpers into Qt's logical pixels, so windows
// keep their proportions and scale with the screen's pixel ratio.
namespace Twips {

inline constexpr int PerPixel = 15;

constexpr int ToPixels(int twips)
{
    // Round half away from zero; every design value is a whole number of pixels.
    return twips >= 0 ? (twips + PerPixel / 2) / PerPixel : -((-twips + PerPixel / 2) / PerPixel);
}

constexpr int FromPixels(int pixels) { return pixels * PerPixel; }

inline QPoint Point(int left, int top) { return {ToPixels(left), ToPixels(top)}; }
inline QSize Size(int width, int height) { return {ToPixels(width), ToPixels(height)}; }
inline QRect Rect(int left, int top, int width, int height)
{
    return {Point(left, top), Size(width, height)};
}

} // namespace Twips
