// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QAbstractScrollArea;
class QScreen;
class QWidget;

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

// What the window system adds around `window` (title bar and borders), as
// the width and height it adds. Where it does not say yet (a window not
// framed), a title bar and borders are assumed, so that a window sized or
// placed by it never reaches past the screen's edge.
QSize Decoration(const QWidget& window);

// What `area` shows of its content once the scroll bars it shows now are
// gone: the room its content has when it fits.
QSize ShownWithoutScrollBars(const QAbstractScrollArea& area);

// The largest size a sub-window placed at `place` in `workspace` can be
// shown whole at, once the window around the workspace has grown as far as
// its screen's free area allows.
QSize SubWindowRoom(const QAbstractScrollArea& workspace, QPoint place);

// Puts `window` in the middle of the free area of its screen, title bar
// included, no larger than that area and never with its title bar above it.
void CentreInFreeArea(QWidget& window);

} // namespace ScreenRoom
