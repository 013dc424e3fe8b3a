// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/ChosenBallOutline.h"

#include "play/DefModule.h"
#include "play/ShapedButton.h"
#include "shared/AppPath.h"

namespace {

// The ball outline settings and the shape files beside the program.
struct OutlineChoice {
    const char16_t* ballShape;
    const char16_t* shapeFile;
    bool captionAligned;  // the triangle's number sits lower, in its wide part
};
constexpr OutlineChoice outlineChoices[] = {
    {u"Maru", u"/B_Push.shp", false},
    {u"Sankaku", u"/S_Push.shp", true},
    {u"Daia", u"/D_Push.shp", false},
    {u"Ame", u"/M_Push.shp", false},
};
constexpr int SankakuAlignmentV = 2;

} // namespace

void ApplyChosenBallOutline(ShapedButton& ball)
{
    for (const OutlineChoice& choice : outlineChoices) {
        if (DefModule::BallShape != QStringView(choice.ballShape))
            continue;
        ball.SetFileName(AppPath() + QString::fromUtf16(choice.shapeFile));
        if (choice.captionAligned)
            ball.SetAlignmentV(SankakuAlignmentV);
        return;
    }
}
