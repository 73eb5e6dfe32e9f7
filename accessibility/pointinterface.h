// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "accessibility/leafinterface.h"

class FretboardView;
class PointMarker;

namespace accessibility {

// One point of the board; it has no widget of its own. Every point is a
// child of the board for the whole run, and shown, in the scale or not (its
// name says which): a change of the board changes names, never the
// children or their states, so that it costs a screen reader nothing until
// the user goes there.
class PointInterface : public LeafInterface {
public:
    PointInterface(FretboardView *view, const PointMarker *marker);

    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::State state() const override;

    // The point's place on the screen.
    static QRect screenRect(const FretboardView *view, const PointMarker *marker);

    // The interface of a point, made once and kept in Qt's cache, so that a
    // screen reader sees the same object from one query to the next.
    static QAccessibleInterface *of(FretboardView *view, const PointMarker *marker);
    // Drops the interfaces of a board's points, with the board.
    static void forget(const FretboardView *view);

private:
    FretboardView *m_view;
    const PointMarker *m_marker;
};

} // namespace accessibility
