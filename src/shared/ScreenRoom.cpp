// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/ScreenRoom.h"

#include <QGuiApplication>
#include <QScreen>

namespace ScreenRoom {

namespace {
bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }
} // namespace

QRect Free(const QScreen& screen)
{
    QRect available = screen.availableGeometry();
    // A Wayland compositor tells no client where its panels are: the whole
    // output counts as free.
    if (OnWayland())
        available.setTop(available.top() + UnreportedPanelAllowance);
    return available;
}

bool WindowsPlaceThemselves() { return !OnWayland(); }

} // namespace ScreenRoom
