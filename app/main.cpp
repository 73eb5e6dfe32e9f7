// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("FretSight"));
    QApplication::setDesktopFileName(QStringLiteral("org.fretsight.FretSight"));
    // Hidden dialogs never keep the program alive; ending is explicit.
    QApplication::setQuitOnLastWindowClosed(false);

    forms::fretSight();
    return QApplication::exec();
}
