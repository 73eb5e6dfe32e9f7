// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms.h"
#include "widgets/focusstyle.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Seen by screen readers whenever the desktop's accessibility bus runs,
    // as GTK programs are: Qt would otherwise look only at start-up whether
    // a screen reader is on, and miss one switched on later.
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    QApplication app(argc, argv);
    QApplication::setStyle(new FocusStyle);
    QApplication::setApplicationName(QStringLiteral("FretSight"));
    QApplication::setDesktopFileName(QStringLiteral("org.fretsight.FretSight"));
    // Hidden dialogs never keep the program alive; ending is explicit.
    QApplication::setQuitOnLastWindowClosed(false);

    forms::fretSight();
    return QApplication::exec();
}
