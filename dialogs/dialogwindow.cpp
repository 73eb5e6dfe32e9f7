#include "dialogwindow.h"

#include "app/forms.h"
#include "app/fretsight.h"
#include "app/ui.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

DialogWindow::DialogWindow(const QString &caption, int clientWidthTwips, int clientHeightTwips)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(caption);
    setFixedSize(ui::px(clientWidthTwips), ui::px(clientHeightTwips));
    setFont(ui::dialogFont(8.25));
}

void DialogWindow::showFromMain()
{
    if (!m_placed) {
        m_placed = true;
        // Kept above the main window by the window manager, with no
        // task-bar entry of its own.
        winId();
        if (QWindow *main = forms::fretSight().windowHandle())
            windowHandle()->setTransientParent(main);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        move(screen.center() - QPoint(width() / 2, height() / 2));
    }
    m_returnFocus = forms::fretSight().focusWidget();
    show();
    activateWindow();
}

void DialogWindow::returnToMain()
{
    FretSight &main = forms::fretSight();
    main.setEnabled(true);
    hide();
    if (m_returnFocus)
        m_returnFocus->setFocus(Qt::OtherFocusReason);
    main.activateWindow();
}

void DialogWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (isVisible())
        closeRequested();
}

void DialogWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        closeRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool DialogWindow::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        formActivate();
    return handled;
}
