// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class FretboardView;
class PointMarker;
class QComboBox;


namespace ui {

// Lets screen readers see the painted fretboard as a graphic with one child
// for every point, named by its string, fret, note and degree; the main
// window as a frame and the dialogs as modal. Installed once; the lists,
// buttons and boxes use Qt's own interfaces.
void installAccessibility();

// Tells screen readers which points of the board changed their name or
// whether they are shown, since the last call.
void announcePointChanges(FretboardView *view);

// Tells screen readers that the keyboard reached a point of the board, or,
// with an edge text, that an arrow key found the board's edge there.
void announcePointFocus(FretboardView *view, const PointMarker *point, const QString &edge = QString());

// Keeps the selected item of a list's drop-down the one the list shows, also
// while the drop-down is closed: a screen reader reads the new value there
// when Qt tells it that the list changed.
void keepShownItemSelected(QComboBox *list);

// Drops the point interfaces of a board that is going away.
void forgetPoints(FretboardView *view);

} // namespace ui
