// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

namespace accessibility {

// A window that is not a dialog is a frame to a screen reader; a dialog
// says that it is modal.
class WindowInterface : public QAccessibleWidget {
public:
    WindowInterface(QWidget *window, QAccessible::Role role);

    QAccessible::State state() const override;
};

} // namespace accessibility
