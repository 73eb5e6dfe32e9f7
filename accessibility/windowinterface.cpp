// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowinterface.h"

#include <QWidget>

namespace accessibility {

WindowInterface::WindowInterface(QWidget *window, QAccessible::Role role) : QAccessibleWidget(window, role) {}

QAccessible::State WindowInterface::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.modal = widget()->windowModality() != Qt::NonModal;
    return s;
}

} // namespace accessibility
