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
    const int rc = QApplication::exec();
    forms::unloadAll();
    return rc;
}
