// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardinterface.h"

#include "accessibility/noteinterface.h"
#include "accessibility/pointinterface.h"
#include "widgets/fretboardview.h"

namespace accessibility {

BoardInterface::BoardInterface(FretboardView *view) : QAccessibleWidget(view, QAccessible::Graphic)
{
    // The interface is made once something reads the board, a screen
    // reader's bridge or a test's: from then on the walk is told.
    QObject::connect(view, &FretboardView::pointReached, view, [view](const PointMarker *point, const QString &edge) {
        if (!edge.isEmpty()) {
            NoteInterface::say(view, edge);
            return;
        }
        NoteInterface::end(view);
        announce(PointInterface::of(view, point), QAccessible::Focus);
    });
    QObject::connect(view, &QObject::destroyed, [view] {
        PointInterface::forget(view);
        NoteInterface::forget(view);
    });
}

int BoardInterface::childCount() const
{
    return pointCount() + NoteInterface::Count;
}

QAccessibleInterface *BoardInterface::child(int index) const
{
    if (index >= pointCount() && index < pointCount() + NoteInterface::Count)
        return NoteInterface::of(view(), index - pointCount());
    if (index < 0 || index >= pointCount())
        return nullptr;
    return PointInterface::of(view(), &view()->markers()[std::size_t(index)]);
}

int BoardInterface::indexOfChild(const QAccessibleInterface *child) const
{
    const auto &markers = view()->markers();
    for (std::size_t i = 0; i < markers.size(); ++i) {
        if (PointInterface::of(view(), &markers[i]) == child)
            return int(i);
    }
    const int note = NoteInterface::indexOf(view(), child);
    return note < 0 ? -1 : pointCount() + note;
}

QAccessibleInterface *BoardInterface::childAt(int x, int y) const
{
    for (const PointMarker &marker : view()->markers()) {
        if (PointInterface::screenRect(view(), &marker).contains(x, y))
            return PointInterface::of(view(), &marker);
    }
    return nullptr;
}

QAccessibleInterface *BoardInterface::focusChild() const
{
    const PointMarker *current = view()->currentPoint();
    if (!view()->hasFocus() || !current)
        return nullptr;
    QAccessibleInterface *note = NoteInterface::focused(view());
    return note ? note : PointInterface::of(view(), current);
}

FretboardView *BoardInterface::view() const
{
    return static_cast<FretboardView *>(widget());
}

int BoardInterface::pointCount() const
{
    return int(view()->markers().size());
}

} // namespace accessibility
