// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMargins>

#include <optional>

class QWidget;
struct xcb_connection_t;

namespace ui {

// The program's connection to the X server, looked up once; null off X11.
xcb_connection_t *x11Connection();

// Asks the window manager to leave a window out of task bars and pagers.
// Must run before each showing of the window (a window manager forgets a
// window's state when it is hidden), and never after: it replaces what the
// window manager keeps there. Does nothing off X11.
void skipTaskbar(QWidget *window);

// Whether the window manager has minimized (iconified) a window, as the X
// server tells it now, which may be before Qt has heard of it. False off X11.
bool isIconic(const QWidget *window);

// The frame that the window manager puts around a window, as it tells it
// (_NET_FRAME_EXTENTS). Before the window is first shown, a window manager
// that offers it is asked to tell, and up to `waitMs` given to answer.
// Nothing where it is not known, and off X11.
std::optional<QMargins> frameExtents(const QWidget *window, int waitMs = 0);

// Whether a native event (as a QAbstractNativeEventFilter receives it) says
// that the window manager changed the frame it tells for `window`.
bool isFrameExtentsChange(const QByteArray &eventType, void *message, const QWidget *window);

// Whether a native event is another program asking this one for the
// clipboard's (CLIPBOARD's) content or formats.
bool isClipboardRequest(const QByteArray &eventType, void *message);

} // namespace ui
