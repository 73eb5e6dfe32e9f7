// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

class QMimeData;

namespace ui {

// One X selection target of the clipboard and the bytes it is served with.
struct ClipboardFlavour {
    QByteArray target;
    QByteArray bytes;
};

// The X targets under which Qt offers each format of `data` while the
// program owns the clipboard, with their bytes: plain text under each of
// its five text targets, every other format under its own name.
QList<ClipboardFlavour> clipboardFlavours(const QMimeData &data);

} // namespace ui
