// SPDX-License-Identifier: GPL-3.0-or-later
#include "clipboardguard.h"

#ifdef FRETSIGHT_HAVE_XCB
#include "desktop/clipboardflavours.h"
#include "desktop/x11hints.h"
#include "desktop/xcbutil.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHash>
#include <QMimeData>

#include <vector>
#endif

namespace ui {

#ifdef FRETSIGHT_HAVE_XCB
namespace {

// More pairs than any real client asks for in one request.
constexpr uint32_t MostPairs = 256;

constexpr uint8_t SentByClient = 0x80;

using xcbutil::Reply;

// Atoms are asked for once per run: the filter sees every request.
xcb_atom_t atom(xcb_connection_t *connection, const QByteArray &name)
{
    static QHash<QByteArray, xcb_atom_t> known;
    if (const auto found = known.constFind(name); found != known.cend())
        return *found;
    const xcb_atom_t atom = xcbutil::intern(connection, name.constData());
    if (atom != XCB_ATOM_NONE)
        known.insert(name, atom);
    return atom;
}

// Answers a MULTIPLE request (ICCCM 2.6.2) from what the clipboard holds.
class MultipleAnswer {
public:
    MultipleAnswer(xcb_connection_t *connection, const xcb_selection_request_event_t &request)
        : m_c(connection), m_request(request)
    {
    }

    // The request's property once it is answered, or None where it is refused.
    xcb_atom_t answer()
    {
        const QClipboard *clipboard = QGuiApplication::clipboard();
        const QMimeData *data = clipboard->ownsClipboard() ? clipboard->mimeData() : nullptr;
        if (!data || m_request.selection != atom(m_c, "CLIPBOARD") || m_request.property == XCB_NONE)
            return XCB_NONE;
        // Read once: the requestor can change the property at any time.
        Reply<xcb_get_property_reply_t> list(
            xcb_get_property_reply(m_c,
                                   xcb_get_property(m_c, 0, m_request.requestor, m_request.property,
                                                    XCB_GET_PROPERTY_TYPE_ANY, 0, 2 * MostPairs),
                                   nullptr));
        if (!list || list->format != 32 || list->bytes_after != 0 || list->value_len == 0 || list->value_len % 2 != 0)
            return XCB_NONE;
        const auto *items = static_cast<const xcb_atom_t *>(xcb_get_property_value(list.get()));
        std::vector<xcb_atom_t> pairs(items, items + list->value_len);
        m_flavours = clipboardFlavours(*data);
        for (std::size_t i = 0; i < pairs.size(); i += 2) {
            if (!convert(pairs[i], pairs[i + 1]))
                pairs[i + 1] = XCB_NONE;
        }
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_request.requestor, m_request.property, list->type, 32,
                            pairs.size(), pairs.data());
        return m_request.property;
    }

private:
    // Puts one target's bytes on the requestor's property.
    bool convert(xcb_atom_t target, xcb_atom_t property)
    {
        if (target == XCB_NONE || property == XCB_NONE)
            return false;
        if (target == atom(m_c, "TARGETS")) {
            std::vector<xcb_atom_t> targets{target, atom(m_c, "MULTIPLE"), atom(m_c, "TIMESTAMP")};
            for (const ClipboardFlavour &flavour : m_flavours)
                targets.push_back(atom(m_c, flavour.target));
            put(property, XCB_ATOM_ATOM, 32, targets.size(), targets.data());
            return true;
        }
        for (const ClipboardFlavour &flavour : m_flavours) {
            if (atom(m_c, flavour.target) == target && uint32_t(flavour.bytes.size()) <= m_mostBytes) {
                // TEXT leaves the owner to choose a text type (ICCCM 2.6.2).
                const xcb_atom_t type = flavour.target == "TEXT" ? xcb_atom_t(XCB_ATOM_STRING) : target;
                put(property, type, 8, flavour.bytes.size(), flavour.bytes.constData());
                return true;
            }
        }
        return false;
    }

    void put(xcb_atom_t property, xcb_atom_t type, uint8_t format, uint32_t length, const void *data)
    {
        xcb_change_property(m_c, XCB_PROP_MODE_REPLACE, m_request.requestor, property, type, format, length, data);
    }

    xcb_connection_t *m_c;
    const xcb_selection_request_event_t &m_request;
    QList<ClipboardFlavour> m_flavours;
    // What one request can carry, with room for the request's own fields.
    const uint32_t m_mostBytes = xcb_get_maximum_request_length(m_c) * 4 - 64;
};

} // namespace
#endif

bool ClipboardGuard::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
#ifdef FRETSIGHT_HAVE_XCB
    xcb_connection_t *connection = x11Connection();
    if (!connection || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & ~SentByClient) {
    case XCB_SELECTION_CLEAR:
        return event->response_type & SentByClient;
    case XCB_SELECTION_REQUEST: {
        const auto *request = static_cast<const xcb_selection_request_event_t *>(message);
        if (request->target != atom(connection, "MULTIPLE"))
            return false;
        xcbutil::notifySelection(connection, *request, MultipleAnswer(connection, *request).answer());
        return true;
    }
    default:
        return false;
    }
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    return false;
#endif
}

} // namespace ui
