// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowplacement.h"

#include "desktop/x11hints.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace ui {

namespace {

void moveToCentre(QWidget *window, const QRect &area, const QMargins &frame)
{
    const QSize outer = window->size().grownBy(frame);
    const QPoint corner(std::max(area.left() + (area.width() - outer.width()) / 2, area.left()),
                        std::max(area.top() + (area.height() - outer.height()) / 2, area.top()));
    // move() puts the client area at its argument plus the frame offset that
    // Qt knows of already (none before the window manager has framed it).
    const QPoint known = window->geometry().topLeft() - window->pos();
    window->move(corner + QPoint(frame.left(), frame.top()) - known);
}

// Watches a newly shown window until its frame is known, then centres it
// by that frame once. On X11 the window manager tells the frame in a window
// property, before the window is shown or, some, only after it is on the
// screen with no move of the window; elsewhere Qt knows the frame once the
// window is framed.
class FrameWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    FrameWatcher(QWidget *window, const QRect &area, const QMargins &assumed)
        : QObject(window), m_window(window), m_area(area), m_assumed(assumed),
          m_x11(QGuiApplication::platformName() == QLatin1String("xcb"))
    {
        window->installEventFilter(this);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~FrameWatcher() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (isFrameExtentsChange(eventType, message, m_window))
            QMetaObject::invokeMethod(this, &FrameWatcher::check, Qt::QueuedConnection);
        return false;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Paint:
            if (!m_x11)
                check();
            break;
        case QEvent::Show:
            check();
            break;
        case QEvent::Hide:
            // Only when the program hides the window: a window manager may
            // take a new window down for a moment while it frames it
            // (GNOME Shell 48 on X11 does), and the frame comes after.
            if (!event->spontaneous())
                deleteLater();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void check()
    {
        if (m_done)
            return;
        // On X11 only what the window manager tells: Qt's guess from the
        // window tree is wrong while the frame is still being made, and
        // would put the window's corner at the centre.
        const QWindow *handle = m_window->windowHandle();
        const QMargins frame = m_x11 ? frameExtents(m_window).value_or(QMargins())
                               : handle && handle->isExposed() ? handle->frameMargins()
                                                              : QMargins();
        if (frame.isNull())
            return; // not framed yet, or no window manager at all
        if (frame != m_assumed)
            moveToCentre(m_window, m_area, frame);
        m_done = true;
        deleteLater();
    }

    QWidget *m_window;
    QRect m_area;
    QMargins m_assumed;
    bool m_x11;
    bool m_done = false;
};

} // namespace

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void keepNormalSize(QWidget *window)
{
    constexpr Qt::WindowStates filling = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (window->windowState() & filling)
        window->setWindowState(window->windowState() & ~filling);
}

void centreOnScreen(QWidget *window, QScreen *screen)
{
    window->winId(); // so that move() means the same before and after mapping
    const QRect area = screen->availableGeometry();
    // The frame as the window manager tells it before mapping where it can;
    // else the best guess is the frame of another window of the program
    // already on the screen.
    QMargins assumed = frameExtents(window, 200).value_or(QMargins());
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        if (!assumed.isNull())
            break;
        if (other != window && other->isVisible())
            assumed = frameExtents(other).value_or(QMargins());
    }
    moveToCentre(window, area, assumed);
    new FrameWatcher(window, area, assumed);
}

} // namespace ui

#include "windowplacement.moc"
