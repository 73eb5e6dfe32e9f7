// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ui {

// Called as the program ends. Where the X clipboard holds what this program
// copied, hands it, every flavour, to the fretsight-clipboard helper, which
// keeps serving it after the program has gone until another program takes
// the clipboard. Returns once the helper owns the clipboard, or at once
// where there is nothing to keep; never waits long. Does nothing off X11.
void keepClipboardAfterExit();

} // namespace ui
