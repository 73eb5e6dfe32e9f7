// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>

namespace ui {

// Stands between other X clients and Qt's clipboard code, which trusts what
// they send: Qt 6.4 to 6.8 copy a MULTIPLE request's list of target and
// property pairs into a buffer sized by whole pairs, so a list of an odd
// number of atoms writes past its end. Install one on the application for
// its whole life; off X11 it lets everything through.
//
// - A MULTIPLE request never reaches Qt: the guard reads its list once,
//   refuses it (a SelectionNotify with property None, ICCCM 2.2) unless it
//   is a whole list of atom pairs, and else serves each pair from the
//   clipboard's content itself. TIMESTAMP is not served within MULTIPLE
//   (its pair is set to None), since only Qt knows when it took the
//   clipboard; it is served asked for alone.
// - A SelectionClear that another client sent, rather than the X server,
//   is dropped: Qt would throw the copy away while still owning the
//   clipboard, which then seems empty to every program.
class ClipboardGuard : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
};

} // namespace ui
