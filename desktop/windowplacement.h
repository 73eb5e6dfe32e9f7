// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QScreen;
class QWidget;

namespace ui {

// Centres a top-level window, frame and title bar included, on the
// available area of `screen`. The frame's size is only known once the
// window manager has framed the window, so the window is centred again
// the moment it is, and again whenever the available area changes while
// the window is still where it was put; a window larger than the screen
// keeps its top-left corner on the screen.
void centreOnScreen(QWidget *window, QScreen *screen);

// Whether the program runs as a Wayland client, where windows can be
// neither placed nor raised, and a minimized window never says so.
bool onWayland();

// A window of fixed layout is never maximized or made full screen: where a
// window manager does so anyway, the window goes back to its own size.
// Call from the window's changeEvent().
void keepNormalSize(QWidget *window);

} // namespace ui
