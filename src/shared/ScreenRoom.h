// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QScreen;

// What a window may count on of its screen, the same for every window.
namespace ScreenRoom {

// Room kept for a desktop's panel where the window system does not report it
// (Wayland): a top bar or a taskbar is rarely taller.
inline constexpr int UnreportedPanelAllowance = 48;

// The screen's area free of the desktop's panels, as far as it can be known.
QRect Free(const QScreen& screen);

// False where the compositor alone places windows (Wayland): a window's
// move() does nothing there, and its place on the screen is not known.
bool WindowsPlaceThemselves();

} // namespace ScreenRoom
