// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program's X11 code and its clipboard helper share, on plain xcb.

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace xcbutil {

struct FreeReply {
    void operator()(void *reply) const { std::free(reply); }
};

// An xcb reply, freed with it; null where the request failed.
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// The atom of that name; None where the X server could not be asked.
inline xcb_atom_t intern(xcb_connection_t *connection, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Tells the requestor that its selection request is answered in
// `property`, or refused where that is None (ICCCM 2.2).
inline void notifySelection(xcb_connection_t *connection, const xcb_selection_request_event_t &request,
                            xcb_atom_t property)
{
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = property;
    xcb_send_event(connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&notify));
    xcb_flush(connection);
}

} // namespace xcbutil
