// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointinterface.h"

#include "widgets/fretboardview.h"

#include <QHash>

namespace accessibility {

namespace {

// The points' interfaces, by board.
QHash<const FretboardView *, QHash<const PointMarker *, QAccessible::Id>> &boards()
{
    static QHash<const FretboardView *, QHash<const PointMarker *, QAccessible::Id>> ids;
    return ids;
}

} // namespace

PointInterface::PointInterface(FretboardView *view, const PointMarker *marker)
    : LeafInterface(view), m_view(view), m_marker(marker)
{
}

QString PointInterface::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? m_marker->spokenName() : QString();
}

QRect PointInterface::rect() const
{
    return screenRect(m_view, m_marker);
}

QAccessible::State PointInterface::state() const
{
    QAccessible::State s;
    s.focusable = true;
    s.focused = m_view->hasFocus() && m_view->currentPoint() == m_marker;
    return s;
}

QRect PointInterface::screenRect(const FretboardView *view, const PointMarker *marker)
{
    const QRect r = marker->geometry();
    return QRect(view->mapToGlobal(r.topLeft()), r.size());
}

QAccessibleInterface *PointInterface::of(FretboardView *view, const PointMarker *marker)
{
    QAccessible::Id &id = boards()[view][marker];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new PointInterface(view, marker));
    return QAccessible::accessibleInterface(id);
}

void PointInterface::forget(const FretboardView *view)
{
    const auto it = boards().constFind(view);
    if (it == boards().cend())
        return;
    for (QAccessible::Id id : it.value())
        QAccessible::deleteAccessibleInterface(id);
    boards().erase(it);
}

} // namespace accessibility
