// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace ui {

// Asks the window manager to leave a window out of task bars and pagers.
// Must run before each showing of the window (a window manager forgets a
// window's state when it is hidden). Does nothing off X11.
void skipTaskbar(QWidget *window);

// Whether the window manager has minimized (iconified) a window, as the X
// server tells it now, which may be before Qt has heard of it. False off X11.
bool isIconic(const QWidget *window);

} // namespace ui
