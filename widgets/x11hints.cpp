// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11hints.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef FRETSIGHT_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace ui {

#ifdef FRETSIGHT_HAVE_XCB
namespace {

xcb_connection_t *x11Connection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection() : nullptr;
}

xcb_atom_t intern(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// The atoms this file uses, asked of the X server once per run.
struct Atoms {
    xcb_atom_t state, skipTaskbar, skipPager, wmState;
};

const Atoms &atoms(xcb_connection_t *connection)
{
    static const Atoms known{intern(connection, "_NET_WM_STATE"),
                             intern(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                             intern(connection, "_NET_WM_STATE_SKIP_PAGER"), intern(connection, "WM_STATE")};
    return known;
}

} // namespace
#endif

void skipTaskbar(QWidget *window)
{
#ifdef FRETSIGHT_HAVE_XCB
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const Atoms &atom = atoms(connection);
    const xcb_atom_t skip[] = {atom.skipTaskbar, atom.skipPager};
    // Qt adds its own states to the property when it maps the window and
    // keeps what is there already.
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                        atom.state, XCB_ATOM_ATOM, 32, 2, skip);
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}

bool isIconic(const QWidget *window)
{
#ifdef FRETSIGHT_HAVE_XCB
    xcb_connection_t *connection = x11Connection();
    if (!connection || !window->testAttribute(Qt::WA_WState_Created))
        return false;
    const xcb_atom_t wmState = atoms(connection).wmState;
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window->winId()), wmState, wmState, 0, 1),
        nullptr);
    constexpr uint32_t Iconic = 3; // ICCCM 4.1.3.1
    const bool iconic = reply && xcb_get_property_value_length(reply) >= 4 &&
                        *static_cast<const uint32_t *>(xcb_get_property_value(reply)) == Iconic;
    std::free(reply);
    return iconic;
#else
    Q_UNUSED(window);
    return false;
#endif
}

} // namespace ui
