// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QSize>

// The play window's outer size for a figure whose farthest balls lie at
// `maxLeft` and `maxTop` twips. The figure's design adds 750 by 1000 twips,
// made for a frame with 4-pixel borders and a 19-pixel caption, leaving a
// small margin right of and below the last ball. Where `frame` (our frame's
// borders and caption, in pixels) is thicker, the window grows by the
// difference so the client area is never smaller than that design gave.
QSize PlayWindowOuterSize(int maxLeft, int maxTop, const QMargins& frame);
