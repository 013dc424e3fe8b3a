// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopKeys.h"

#include <QGuiApplication>

#ifdef ZUMIRAK_WITH_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace {

std::function<bool()>& testAnswer()
{
    static std::function<bool()> answer;
    return answer;
}

#ifdef ZUMIRAK_WITH_XCB
// The X server's replies are freed with free().
template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
Owned<Reply> Own(Reply* reply)
{
    return Owned<Reply>(reply, &std::free);
}

bool NoX11WindowHasThem(xcb_connection_t* connection)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // A window manager after the desktop's convention names the window it
    // gave the keys to, or none. Its own hidden window may hold the X focus
    // meanwhile, so the focus alone would not tell.
    static const char activeName[] = "_NET_ACTIVE_WINDOW";
    const auto atom = Own(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, std::strlen(activeName), activeName), nullptr));
    if (atom && atom->atom != XCB_ATOM_NONE) {
        const auto active = Own(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr));
        if (active && active->type == XCB_ATOM_WINDOW && active->format == 32
            && xcb_get_property_value_length(active.get()) >= int(sizeof(xcb_window_t)))
            return *static_cast<const xcb_window_t*>(xcb_get_property_value(active.get())) == XCB_WINDOW_NONE;
    }
    const auto focus = Own(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    if (!focus)
        return false;
    return focus->focus == XCB_NONE || focus->focus == XCB_INPUT_FOCUS_POINTER_ROOT || focus->focus == root;
}
#endif

} // namespace

namespace DesktopKeys {

bool NoWindowHasThem()
{
    if (testAnswer())
        return testAnswer()();
#ifdef ZUMIRAK_WITH_XCB
    if (const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return NoX11WindowHasThem(x11->connection());
#endif
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

void AnswerForTesting(std::function<bool()> answer) { testAnswer() = std::move(answer); }

} // namespace DesktopKeys
