// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class FretboardView;

namespace ui {

// Lets screen readers see the painted fretboard as a graphic with one
// child for every shown point, named by its string, fret, note and degree.
// Installed once; the lists, buttons and boxes use Qt's own interfaces.
void installAccessibility();

// Drops the point interfaces of a board that is going away.
void forgetPoints(FretboardView *view);

} // namespace ui
