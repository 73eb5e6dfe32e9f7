// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QObject;

namespace ui {

// Runs `then` (once, unless `context` is gone first) when the desktop has
// taken notice of what the program has just put on the clipboard. In a
// Wayland session the program runs on X11 through Xwayland, and there the
// compositor's clipboard bridge reads the copy's formats only while one of
// the program's windows is active: a window that closes on copying waits
// for that read (at most half a second). Elsewhere `then` runs at once.
void afterClipboardTaken(QObject *context, std::function<void()> then);

} // namespace ui
