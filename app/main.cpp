// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms.h"
#include "desktop/clipboardguard.h"
#include "widgets/focusstyle.h"

#include <QApplication>

#include <cstring>

namespace {

// On a Wayland desktop that also offers X11 (Xwayland, as GNOME and KDE
// Plasma do), run on X11 unless the user chose a platform: Qt 6.4 on
// Wayland can neither place a window, nor tell the compositor that a dialog
// is modal, nor learn that a window was minimized.
void preferX11(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace

int main(int argc, char *argv[])
{
    preferX11(argc, argv);
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
    ui::ClipboardGuard clipboardGuard;
    app.installNativeEventFilter(&clipboardGuard);

    forms::fretSight();
    return QApplication::exec();
}
