// SPDX-License-Identifier: GPL-3.0-or-later
#include "leafinterface.h"

#include <QWidget>

namespace accessibility {

QWindow *LeafInterface::window() const
{
    return m_owner->window()->windowHandle();
}

QAccessibleInterface *LeafInterface::parent() const
{
    return QAccessible::queryAccessibleInterface(m_owner);
}

} // namespace accessibility
