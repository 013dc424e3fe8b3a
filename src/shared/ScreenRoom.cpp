// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/ScreenRoom.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>

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

QSize Decoration(const QWidget& window)
{
    QSize decoration = window.frameGeometry().size() - window.size();
    // The offscreen platform draws no frame; every other does, once the
    // window is shown, unless it is asked for none (the splash).
    if (decoration.height() == 0 && QGuiApplication::platformName() != QLatin1String("offscreen")
        && !window.windowFlags().testFlag(Qt::FramelessWindowHint)) {
        const QStyle* style = window.style();
        const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        decoration = QSize(2 * border, style->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
    }
    return decoration;
}

QSize ShownWithoutScrollBars(const QAbstractScrollArea& area)
{
    QSize shown = area.viewport()->size();
    if (area.verticalScrollBar()->isVisible())
        shown.rwidth() += area.verticalScrollBar()->width();
    if (area.horizontalScrollBar()->isVisible())
        shown.rheight() += area.horizontalScrollBar()->height();
    return shown;
}

QSize SubWindowRoom(const QAbstractScrollArea& workspace, QPoint place)
{
    const QWidget& window = *workspace.window();
    const QScreen* screen = window.screen();
    if (!screen)
        return {};
    // Around the workspace: menu bar, status bar and whatever else the
    // window holds, which stay as they are when the window grows.
    const QSize around = window.size() - ShownWithoutScrollBars(workspace);
    const QSize room = Free(*screen).size() - Decoration(window) - around - QSize(place.x(), place.y());
    return room.expandedTo(QSize(0, 0));
}

void CentreInFreeArea(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect area = Free(*screen);
    const QSize decoration = Decoration(window);
    const QSize largest = area.size() - decoration;
    if (window.width() > largest.width() || window.height() > largest.height())
        window.resize(window.size().boundedTo(largest));
    const QSize outer = window.size() + decoration;
    // move() places the frame: its title bar starts at the area's top at the
    // highest.
    window.move(std::max(area.x(), area.x() + (area.width() - outer.width()) / 2),
                std::max(area.y(), area.y() + (area.height() - outer.height()) / 2));
}

} // namespace ScreenRoom
