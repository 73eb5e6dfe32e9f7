// SPDX-License-Identifier: GPL-3.0-or-later
#include "formdialog.h"

#include "widgets/ui.h"
#include "desktop/windowplacement.h"
#include "desktop/x11hints.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QShowEvent>
#include <QWindow>

FormDialog::FormDialog(const QString &caption, int clientWidthTwips, int clientHeightTwips)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(caption);
    setFixedSize(ui::px(clientWidthTwips), ui::px(clientHeightTwips));
    setFont(ui::font(ui::Face::Bold));
    // The window manager keeps it above its opener and treats it as modal
    // to it; Qt blocks the opener's input while it shows.
    setWindowModality(Qt::WindowModal);
}

void FormDialog::openOver(QWidget *opener)
{
    m_opener = opener;
    m_returnFocus = opener->focusWidget();
    winId();
    windowHandle()->setTransientParent(opener->windowHandle());
    if (!m_placed) {
        // Hidden until now, so the captions need checking only now.
        m_placed = true;
        ui::fitAllText(this);
        ui::centreOnScreen(this, opener->screen());
    }
    show();
    activateWindow();
}

void FormDialog::bringBack()
{
    if (ui::onWayland()) {
        // A Wayland client can neither raise a window nor learn that it was
        // minimized, nor undo that: shown anew, the dialog comes back in
        // front wherever it was.
        hide();
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        activateWindow();
        return;
    }
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

bool FormDialog::isBeingMinimized() const
{
    return !(windowState() & Qt::WindowMinimized) && ui::isIconic(this);
}

bool FormDialog::minimizedJustNow() const
{
    return m_minimized.isValid() && m_minimized.elapsed() < 500;
}

void FormDialog::reject()
{
    if (isVisible())
        closingButton()->click();
}

void FormDialog::returnToOpener()
{
    if (m_opener)
        m_opener->setEnabled(true);
    hide();
    if (m_returnFocus)
        m_returnFocus->setFocus(Qt::OtherFocusReason);
    if (m_opener)
        m_opener->activateWindow();
}

void FormDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the dialog when pressed, not while held: an Escape still
    // held from closing one dialog would close the next as it opens.
    if (event->key() == Qt::Key_Escape && event->isAutoRepeat()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool FormDialog::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate) {
        m_beenActive = true;
        formActivate();
    }
    return handled;
}

void FormDialog::changeEvent(QEvent *event)
{
    // Minimizing the open dialog minimizes its opener with it: some window
    // managers will not give a minimized modal dialog back when its opener
    // is activated, but all give back a minimized window, and the opener
    // then brings its dialog back. Only a dialog that has been active was
    // minimized by the user: GNOME Shell 48 on X11 marks a new dialog
    // minimized for a moment as it maps it, before it gives it the focus.
    if (event->type() == QEvent::WindowStateChange) {
        ui::keepNormalSize(this);
        const bool byUser = (windowState() & Qt::WindowMinimized) && m_beenActive;
        if (byUser)
            m_minimized.start();
        // On Wayland the opener stays, to be clicked: it can bring back its
        // dialog, but nothing would give the opener itself back.
        if (byUser && isVisible() && m_opener && !ui::onWayland() &&
            !(m_opener->windowState() & Qt::WindowMinimized))
            m_opener->setWindowState(m_opener->windowState() | Qt::WindowMinimized);
    }
    QDialog::changeEvent(event);
}

void FormDialog::showEvent(QShowEvent *event)
{
    // Shown by the program, not given back from minimized (Qt tells that
    // too, once the window is on the screen and the window manager's).
    if (!event->spontaneous() && !(windowHandle() && windowHandle()->isVisible())) {
        m_beenActive = false;
        // Before the window is mapped: the only time its state can be set.
        ui::skipTaskbar(this);
        // A control hidden under the pointer (the button that closed the
        // dialog) was never told that the pointer left; the window system
        // tells anew which control is under it once the dialog is mapped.
        for (QWidget *control : findChildren<QWidget *>()) {
            if (control->testAttribute(Qt::WA_UnderMouse)) {
                control->setAttribute(Qt::WA_UnderMouse, false);
                control->update();
            }
        }
    }
    QDialog::showEvent(event);
}
