// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace accessibility {

// Lets screen readers see the painted fretboard as a graphic with one child
// for every point, named by its string, fret, note and degree; the lists by
// their values as spoken; the main window as a frame and the dialogs as
// modal. Installed once; buttons and boxes use Qt's own interfaces.
void install();

} // namespace accessibility
