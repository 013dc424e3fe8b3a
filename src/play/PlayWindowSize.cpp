// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/PlayWindowSize.h"

#include "shared/Twips.h"

namespace {
// The frame the design was measured with.
constexpr QMargins designFrame{4, 4 + 19, 4, 4};

QSize FrameSize(const QMargins& frame)
{
    return {frame.left() + frame.right(), frame.top() + frame.bottom()};
}
} // namespace

QSize PlayWindowOuterSize(int maxLeft, int maxTop, const QMargins& frame)
{
    const QSize designOuter = Twips::Size(maxLeft + 750, maxTop + 1000);
    const QSize designClient = designOuter - FrameSize(designFrame);
    return designOuter.expandedTo(designClient + FrameSize(frame));
}
