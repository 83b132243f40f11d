// SPDX-License-Identifier: GPL-3.0-or-later
// Asking the X server whether a window manager runs, through Qt's own connection to it.
#include "windowsystem.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace window {

#if QT_CONFIG(xcb)
namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// The window named by the property _NET_SUPPORTING_WM_CHECK of window, or XCB_NONE.
xcb_window_t supportingWindow(xcb_connection_t* connection, xcb_atom_t check, xcb_window_t window)
{
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, false, window, check, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || reply->type != XCB_ATOM_WINDOW || xcb_get_property_value_length(reply.get()) != 4)
        return XCB_NONE;
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

} // namespace
#endif

bool windowManagerMaximises()
{
#if QT_CONFIG(xcb)
    // The offscreen platform answers to the X11 interface too, without a connection.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return true;
    // A window manager that follows the freedesktop.org conventions names a window of its own
    // on the root window, and that window names itself (a stale name left by a window manager
    // that has gone does not).
    static const char name[] = "_NET_SUPPORTING_WM_CHECK";
    const ReplyPtr<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, true, sizeof name - 1, name), nullptr));
    if (!atom || atom->atom == XCB_NONE)
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_window_t wm = supportingWindow(connection, atom->atom, root);
    return wm != XCB_NONE && supportingWindow(connection, atom->atom, wm) == wm;
#else
    return true;
#endif
}

} // namespace window
