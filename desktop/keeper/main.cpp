// SPDX-License-Identifier: GPL-3.0-or-later
// fretsight-clipboard: keeps FretSight's copied diagrams on the X clipboard
// after the program has ended, until another program takes the clipboard.
//
// FretSight starts it as it ends, writes the flavours to its standard input
// as records "TARGET\nLENGTH\nBYTES", and waits for one line on its standard
// output: "owned" once it owns the CLIPBOARD selection. It then serves every
// request for those targets. Where a clipboard manager is running, it asks
// the manager to save the clipboard (the CLIPBOARD_MANAGER protocol), and
// leaves the clipboard to it once the manager has taken every flavour. It
// ends when it loses the clipboard or the X server goes away.
#include "desktop/xcbutil.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct Flavour {
    std::string target;
    std::string bytes;
};

std::vector<Flavour> readFlavours(std::istream &in)
{
    std::vector<Flavour> flavours;
    std::string target, length;
    while (std::getline(in, target) && std::getline(in, length)) {
        Flavour f{target, std::string(std::strtoul(length.c_str(), nullptr, 10), '\0')};
        if (!in.read(f.bytes.data(), static_cast<std::streamsize>(f.bytes.size())))
            break;
        flavours.push_back(std::move(f));
    }
    return flavours;
}

using xcbutil::Reply;

class Keeper {
public:
    Keeper(xcb_connection_t *c, std::vector<Flavour> flavours) : m_c(c), m_flavours(std::move(flavours))
    {
        m_screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        m_clipboard = atom("CLIPBOARD");
        m_targets = atom("TARGETS");
        m_timestamp = atom("TIMESTAMP");
        m_manager = atom("CLIPBOARD_MANAGER");
        m_saveTargets = atom("SAVE_TARGETS");
        m_saved = atom("_FRETSIGHT_SAVED");
        m_string = atom("STRING");
        m_text = atom("TEXT");
        for (std::size_t i = 0; i < m_flavours.size(); ++i)
            m_byAtom[atom(m_flavours[i].target.c_str())] = i;
        // Longest property one request can carry, with room for the request itself.
        m_maxBytes = xcb_get_maximum_request_length(c) * 4 - 64;
    }

    // Takes the CLIPBOARD selection; false if the X server gave it to another.
    bool own()
    {
        m_window = xcb_generate_id(m_c);
        const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, m_screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, m_screen->root_visual, XCB_CW_EVENT_MASK, &events);
        const char name[] = "fretsight-clipboard";
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NAME, m_string, 8,
                            sizeof name - 1, name);
        // A zero-length append yields a PropertyNotify, whose time is the
        // server's time now: the selection wants a real timestamp.
        xcb_change_property(m_c, XCB_PROP_MODE_APPEND, m_window, m_saved, m_string, 8, 0, "");
        xcb_flush(m_c);
        while (xcb_generic_event_t *event = xcb_wait_for_event(m_c)) {
            const bool found = (event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY;
            if (found)
                m_time = reinterpret_cast<xcb_property_notify_event_t *>(event)->time;
            std::free(event);
            if (found)
                break;
        }
        xcb_set_selection_owner(m_c, m_window, m_clipboard, m_time);
        Reply<xcb_get_selection_owner_reply_t> owner(
            xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, m_clipboard), nullptr));
        return owner && owner->owner == m_window;
    }

    // Serves the clipboard until it is taken over; returns the exit status.
    int serve()
    {
        using Clock = std::chrono::steady_clock;
        askManagerToSave();
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        const int fd = xcb_get_file_descriptor(m_c);
        for (;;) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_c)) {
                const bool done = handle(event);
                std::free(event);
                if (done)
                    return 0;
            }
            if (xcb_connection_has_error(m_c))
                return 0;
            xcb_flush(m_c);
            int timeout = -1;
            if (m_awaitingManager) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
                if (left.count() <= 0)
                    m_awaitingManager = false; // it never answered: keep serving
                else
                    timeout = static_cast<int>(left.count());
            }
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, timeout);
        }
    }

private:
    xcb_atom_t atom(const char *name) { return xcbutil::intern(m_c, name); }

    void askManagerToSave()
    {
        Reply<xcb_get_selection_owner_reply_t> owner(
            xcb_get_selection_owner_reply(m_c, xcb_get_selection_owner(m_c, m_manager), nullptr));
        if (!owner || owner->owner == XCB_NONE)
            return;
        // No target list on the property: the manager saves every target.
        xcb_delete_property(m_c, m_window, m_saved);
        xcb_convert_selection(m_c, m_window, m_manager, m_saveTargets, m_saved, m_time);
        m_awaitingManager = true;
    }

    // True when the keeper's work is done.
    bool handle(xcb_generic_event_t *event)
    {
        switch (event->response_type & 0x7f) {
        case XCB_SELECTION_CLEAR:
            // Only the X server's word counts: any client can send one.
            return !(event->response_type & 0x80) &&
                   reinterpret_cast<xcb_selection_clear_event_t *>(event)->selection == m_clipboard;
        case XCB_SELECTION_REQUEST:
            answer(*reinterpret_cast<xcb_selection_request_event_t *>(event));
            return false;
        case XCB_SELECTION_NOTIFY: {
            const auto *notify = reinterpret_cast<xcb_selection_notify_event_t *>(event);
            if (notify->selection != m_manager || !m_awaitingManager)
                return false;
            m_awaitingManager = false;
            // The manager has saved the clipboard; leave it to the manager
            // only if it took every flavour, else keep serving them.
            return notify->property != XCB_NONE && m_fetched.size() == distinctData();
        }
        default:
            return false;
        }
    }

    std::size_t distinctData() const
    {
        std::set<std::string> data;
        for (const Flavour &f : m_flavours)
            data.insert(f.bytes);
        return data.size();
    }

    void answer(const xcb_selection_request_event_t &request)
    {
        // Old clients name no property: the target is the property then.
        const xcb_atom_t property = request.property == XCB_NONE ? request.target : request.property;
        bool ok = request.selection == m_clipboard &&
                  (request.time == XCB_CURRENT_TIME || request.time >= m_time);
        if (ok && request.target == m_targets) {
            std::vector<xcb_atom_t> atoms{m_targets, m_timestamp};
            for (const auto &entry : m_byAtom)
                atoms.push_back(entry.first);
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_ATOM, 32,
                                atoms.size(), atoms.data());
        } else if (ok && request.target == m_timestamp) {
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property, XCB_ATOM_INTEGER,
                                32, 1, &m_time);
        } else if (auto found = m_byAtom.find(request.target); ok && found != m_byAtom.end() &&
                                                               m_flavours[found->second].bytes.size() <= m_maxBytes) {
            const std::string &bytes = m_flavours[found->second].bytes;
            const xcb_atom_t type = request.target == m_text ? m_string : request.target;
            xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, request.requestor, property, type, 8,
                                bytes.size(), bytes.data());
            if (request.requestor != m_window)
                m_fetched.insert(bytes);
        } else {
            ok = false;
        }
        xcbutil::notifySelection(m_c, request, ok ? property : xcb_atom_t(XCB_NONE));
    }

    xcb_connection_t *m_c;
    std::vector<Flavour> m_flavours;
    std::map<xcb_atom_t, std::size_t> m_byAtom;
    std::set<std::string> m_fetched;
    xcb_screen_t *m_screen = nullptr;
    xcb_window_t m_window = XCB_NONE;
    xcb_timestamp_t m_time = XCB_CURRENT_TIME;
    std::size_t m_maxBytes = 0;
    bool m_awaitingManager = false;
    xcb_atom_t m_clipboard, m_targets, m_timestamp, m_manager, m_saveTargets, m_saved, m_string, m_text;
};

} // namespace

int main()
{
    const std::vector<Flavour> flavours = readFlavours(std::cin);
    if (flavours.empty())
        return 1;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    Keeper keeper(connection, flavours);
    if (!keeper.own())
        return 1;
    // Tell FretSight, then let go of its pipe so that it can end.
    std::fputs("owned\n", stdout);
    std::fflush(stdout);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    const int status = keeper.serve();
    xcb_disconnect(connection);
    return status;
}
