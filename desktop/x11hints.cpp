// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11hints.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef FRETSIGHT_HAVE_XCB
#include <xcb/xcb.h>

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>
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
    xcb_atom_t state, skipTaskbar, skipPager, wmState, frameExtents, requestFrameExtents, supported, clipboard;
};

const Atoms &atoms(xcb_connection_t *connection)
{
    static const Atoms known{intern(connection, "_NET_WM_STATE"),
                             intern(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                             intern(connection, "_NET_WM_STATE_SKIP_PAGER"),
                             intern(connection, "WM_STATE"),
                             intern(connection, "_NET_FRAME_EXTENTS"),
                             intern(connection, "_NET_REQUEST_FRAME_EXTENTS"),
                             intern(connection, "_NET_SUPPORTED"),
                             intern(connection, "CLIPBOARD")};
    return known;
}

xcb_window_t rootOf(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// The 32-bit items of a window's property.
std::vector<uint32_t> property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name,
                               xcb_atom_t type, uint32_t length)
{
    std::vector<uint32_t> items;
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, length), nullptr);
    if (reply && reply->format == 32) {
        const auto *data = static_cast<const uint32_t *>(xcb_get_property_value(reply));
        items.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return items;
}

// Whether the running window manager says it offers a feature; asked anew
// each time, since the window manager can change while the program runs.
bool supported(xcb_connection_t *connection, xcb_atom_t feature)
{
    const std::vector<uint32_t> list =
        property(connection, rootOf(connection), atoms(connection).supported, XCB_ATOM_ATOM, 1024);
    return std::find(list.begin(), list.end(), feature) != list.end();
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
    const std::vector<uint32_t> state =
        property(connection, static_cast<xcb_window_t>(window->winId()), wmState, wmState, 1);
    constexpr uint32_t Iconic = 3; // ICCCM 4.1.3.1
    return !state.empty() && state.front() == Iconic;
#else
    Q_UNUSED(window);
    return false;
#endif
}

std::optional<QMargins> frameExtents(const QWidget *window, int waitMs)
{
#ifdef FRETSIGHT_HAVE_XCB
    xcb_connection_t *connection = x11Connection();
    if (!connection || !window->testAttribute(Qt::WA_WState_Created))
        return std::nullopt;
    const Atoms &atom = atoms(connection);
    const auto id = static_cast<xcb_window_t>(window->winId());
    const auto read = [&]() -> std::optional<QMargins> {
        const std::vector<uint32_t> e = property(connection, id, atom.frameExtents, XCB_ATOM_CARDINAL, 4);
        if (e.size() != 4)
            return std::nullopt;
        return QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3])); // left, right, top, bottom
    };
    std::optional<QMargins> known = read();
    if (known || waitMs <= 0 || window->isVisible() || !supported(connection, atom.requestFrameExtents))
        return known;
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = atom.requestFrameExtents;
    xcb_send_event(connection, 0, rootOf(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&request));
    xcb_flush(connection);
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
    xcb_connection_t *connection = x11Connection();
    if (!connection || eventType != "xcb_generic_event_t" || !window->testAttribute(Qt::WA_WState_Created))
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto *notify = static_cast<const xcb_property_notify_event_t *>(message);
    return notify->window == static_cast<xcb_window_t>(window->winId()) &&
           notify->atom == atoms(connection).frameExtents;
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
    return (event->response_type & 0x7f) == XCB_SELECTION_REQUEST &&
           static_cast<const xcb_selection_request_event_t *>(message)->selection == atoms(connection).clipboard;
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    return false;
#endif
}

} // namespace ui
