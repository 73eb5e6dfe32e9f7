// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointinterface.h"

#include "widgets/fretboardview.h"

#include <QHash>

namespace accessibility {

namespace {

// What a screen reader was last told a point is called.
struct PointRecord {
    QAccessible::Id id = 0;
    QString name;
};

QHash<const FretboardView *, QHash<const PointMarker *, PointRecord>> &boards()
{
    static QHash<const FretboardView *, QHash<const PointMarker *, PointRecord>> records;
    return records;
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
    PointRecord &record = boards()[view][marker];
    if (!record.id) {
        record.id = QAccessible::registerAccessibleInterface(new PointInterface(view, marker));
        record.name = marker->spokenName();
    }
    return QAccessible::accessibleInterface(record.id);
}

bool PointInterface::renamed(const FretboardView *view, const PointMarker *marker)
{
    PointRecord &record = boards()[view][marker];
    if (record.name == marker->spokenName())
        return false;
    record.name = marker->spokenName();
    return true;
}

void PointInterface::forget(const FretboardView *view)
{
    const auto it = boards().constFind(view);
    if (it == boards().cend())
        return;
    for (const PointRecord &record : it.value()) {
        if (record.id)
            QAccessible::deleteAccessibleInterface(record.id);
    }
    boards().erase(it);
}

} // namespace accessibility
