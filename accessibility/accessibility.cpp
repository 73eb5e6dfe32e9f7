// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "accessibility/boardinterface.h"
#include "accessibility/listinterface.h"
#include "accessibility/windowinterface.h"
#include "widgets/fretboardview.h"

#include <QComboBox>

namespace accessibility {

namespace {

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QComboBox"))
        return new ListInterface(static_cast<QComboBox *>(object));
    if (className == QLatin1String("FretboardView"))
        return new BoardInterface(static_cast<FretboardView *>(object));
    if (className == QLatin1String("QDialog"))
        return new WindowInterface(static_cast<QWidget *>(object), QAccessible::Dialog);
    if (className == QLatin1String("QWidget") && static_cast<QWidget *>(object)->isWindow())
        return new WindowInterface(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

void install()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(factory);
    }
}

} // namespace accessibility
