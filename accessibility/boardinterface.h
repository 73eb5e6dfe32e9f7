// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class FretboardView;

namespace accessibility {

// The board: a graphic whose children are its points, string by string and
// fret by fret, then its passing notes; the point the keyboard reached is
// its focused child. It follows the walk: the point reached gets a screen
// reader's focus, and an arrow key at the edge is said by a note. A change
// of the scale sends nothing: screen readers ask for a point's name when
// the walk gets there (an event for each of the 78 points flooded them at
// every change of the lists).
class BoardInterface : public QAccessibleWidget {
public:
    explicit BoardInterface(FretboardView *view);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

private:
    FretboardView *view() const;
    int pointCount() const;
};

} // namespace accessibility
