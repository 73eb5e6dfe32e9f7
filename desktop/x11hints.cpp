// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11hints.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef FRETSIGHT_HAVE_XCB
#include "desktop/xcbutil.h"

#include <xcb/xcb_ewmh.h>

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#endif

namespace ui {

xcb_connection_t *x11Connection()
{
#ifdef FRETSIGHT_HAVE_XCB
    // Looked up once: the clipboard guard asks for it at every X event.
    static xcb_connection_t *const connection = [] {
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        return x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection() : nullptr;
    }();
    return connection;
#else
    return nullptr;
#endif
}

#ifdef FRETSIGHT_HAVE_XCB
namespace {

// The EWMH atoms and requests, set up once per run; none off X11.
xcb_ewmh_connection_t *ewmh()
{
    static xcb_ewmh_connection_t *const known = []() -> xcb_ewmh_connection_t * {
        static xcb_ewmh_connection_t connection;
        xcb_connection_t *x11 = x11Connection();
        return x11 && xcb_ewmh_init_atoms_replies(&connection, xcb_ewmh_init_atoms(x11, &connection), nullptr)
                   ? &connection
                   : nullptr;
    }();
    return known;
}

// Whether the running window manager says it offers a feature; asked anew
// each time, since the window manager can change while the program runs.
bool supported(xcb_ewmh_connection_t *e, xcb_atom_t feature)
{
    xcb_ewmh_get_atoms_reply_t list;
    if (!xcb_ewmh_get_supported_reply(e, xcb_ewmh_get_supported(e, 0), &list, nullptr))
        return false;
    const bool found = std::find(list.atoms, list.atoms + list.atoms_len, feature) != list.atoms + list.atoms_len;
    xcb_ewmh_get_atoms_reply_wipe(&list);
    return found;
}

} // namespace
#endif

void skipTaskbar(QWidget *window)
{
#ifdef FRETSIGHT_HAVE_XCB
    xcb_ewmh_connection_t *e = ewmh();
    if (!e)
        return;
    xcb_atom_t skip[] = {e->_NET_WM_STATE_SKIP_TASKBAR, e->_NET_WM_STATE_SKIP_PAGER};
    // Qt adds its own states to the property when it maps the window and
    // keeps what is there already.
    xcb_ewmh_set_wm_state(e, static_cast<xcb_window_t>(window->winId()), 2, skip);
    xcb_flush(e->connection);
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
    // WM_STATE is ICCCM's (4.1.3.1), not EWMH's.
    static const xcb_atom_t wmState = xcbutil::intern(connection, "WM_STATE");
    const xcbutil::Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window->winId()), wmState, wmState, 0, 1),
        nullptr));
    constexpr uint32_t Iconic = 3;
    return reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) >= 4 &&
           *static_cast<const uint32_t *>(xcb_get_property_value(reply.get())) == Iconic;
#else
    Q_UNUSED(window);
    return false;
#endif
}

std::optional<QMargins> frameExtents(const QWidget *window, int waitMs)
{
#ifdef FRETSIGHT_HAVE_XCB
    xcb_ewmh_connection_t *e = ewmh();
    if (!e || !window->testAttribute(Qt::WA_WState_Created))
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const auto read = [&]() -> std::optional<QMargins> {
        xcb_ewmh_get_extents_reply_t extents;
        if (!xcb_ewmh_get_frame_extents_reply(e, xcb_ewmh_get_frame_extents(e, id), &extents, nullptr))
            return std::nullopt;
        return QMargins(int(extents.left), int(extents.top), int(extents.right), int(extents.bottom));
    };
    std::optional<QMargins> known = read();
    if (known || waitMs <= 0 || window->isVisible() || !supported(e, e->_NET_REQUEST_FRAME_EXTENTS))
        return known;
    xcb_ewmh_request_frame_extents(e, 0, id);
    xcb_flush(e->connection);
    QElapsedTimer waited;
    waited.start();
    while (!(known = read()) && waited.elapsed() < waitMs)
        QThread::msleep(2);
    return known;
#else
    Q_UNUSED(window);
    Q_UNUSED(waitMs);
    return std::nullopt;
#endif
}

bool isFrameExtentsChange(const QByteArray &eventType, void *message, const QWidget *window)
{
#ifdef FRETSIGHT_HAVE_XCB
    xcb_ewmh_connection_t *e = ewmh();
    if (!e || eventType != "xcb_generic_event_t" || !window->testAttribute(Qt::WA_WState_Created))
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto *notify = static_cast<const xcb_property_notify_event_t *>(message);
    return notify->window == static_cast<xcb_window_t>(window->winId()) && notify->atom == e->_NET_FRAME_EXTENTS;
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    Q_UNUSED(window);
    return false;
#endif
}

bool isClipboardRequest(const QByteArray &eventType, void *message)
{
#ifdef FRETSIGHT_HAVE_XCB
    xcb_connection_t *connection = x11Connection();
    if (!connection || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    static const xcb_atom_t clipboard = xcbutil::intern(connection, "CLIPBOARD");
    return (event->response_type & 0x7f) == XCB_SELECTION_REQUEST &&
           static_cast<const xcb_selection_request_event_t *>(message)->selection == clipboard;
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    return false;
#endif
}

} // namespace ui
