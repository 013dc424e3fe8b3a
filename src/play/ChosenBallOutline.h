// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class ShapedButton;

// Gives `ball` the outline the player chose in the Options menu
// (DefModule::BallShape): its shape file beside the program, and for the
// triangle the caption lower, in its wide part. Any other setting keeps the
// built-in circle.
void ApplyChosenBallOutline(ShapedButton& ball);
