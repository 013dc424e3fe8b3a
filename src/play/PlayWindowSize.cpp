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

// `pixels` of the design shrunk to cells of `cellPixels`, rounded up so the
// last ball keeps its margin.
int Shrunk(int pixels, int cellPixels)
{
    return (pixels * cellPixels + DesignCellPixels - 1) / DesignCellPixels;
}
} // namespace

QSize PlayWindowOuterSize(int maxLeft, int maxTop, const QMargins& frame)
{
    const QSize designOuter = Twips::Size(maxLeft + 750, maxTop + 1000);
    const QSize designClient = designOuter - FrameSize(designFrame);
    return designOuter.expandedTo(designClient + FrameSize(frame));
}

PlayWindowFit FitPlayWindow(int maxLeft, int maxTop, const QMargins& frame, QSize room)
{
    const QSize designOuter = PlayWindowOuterSize(maxLeft, maxTop, frame);
    PlayWindowFit fit{DesignCellPixels, designOuter};
    if (!room.isValid())
        return fit;
    const QSize client = designOuter - FrameSize(frame);
    while (fit.cellPixels > SmallestCellPixels
           && (fit.outer.width() > room.width() || fit.outer.height() > room.height())) {
        --fit.cellPixels;
        fit.outer = QSize(Shrunk(client.width(), fit.cellPixels), Shrunk(client.height(), fit.cellPixels))
                    + FrameSize(frame);
    }
    return fit;
}

int BallPixels(int cellPixels) { return cellPixels * 570 / 600; }
