// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowplacement.h"

#include "desktop/x11hints.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QEvent>
#include <QMargins>
#include <QPointer>
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

// Centres a new window and keeps it centred while it is being placed: once
// its frame is known, and whenever the screen's free area changes while the
// window is still where it was put. On X11 the window manager tells the
// frame in a window property, before the window is shown or, some, only
// after it is on the screen with no move of the window; elsewhere Qt knows
// the frame once the window is framed. A desktop may reserve room for its
// panels only after the window is placed (GNOME Shell as the session starts,
// when the program is started from its overview).
class FrameWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    FrameWatcher(QWidget *window, QScreen *screen, const QMargins &assumed)
        : QObject(window), m_window(window), m_screen(screen), m_frame(assumed),
          m_x11(QGuiApplication::platformName() == QLatin1String("xcb"))
    {
        window->installEventFilter(this);
        QCoreApplication::instance()->installNativeEventFilter(this);
        connect(screen, &QScreen::availableGeometryChanged, this, [this] {
            if (m_window->geometry().topLeft() == m_placedAt)
                centre(); // not moved since, by the user or the window manager
        });
        centre();
    }
    ~FrameWatcher() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (!m_framed && isFrameExtentsChange(eventType, message, m_window))
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
    void centre()
    {
        const QRect area = m_screen ? m_screen->availableGeometry() : m_window->screen()->availableGeometry();
        moveToCentre(m_window, area, m_frame);
        m_placedAt = m_window->geometry().topLeft();
    }

    void check()
    {
        if (m_framed)
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
        m_framed = true;
        if (frame != m_frame) {
            m_frame = frame;
            centre();
        }
    }

    QWidget *m_window;
    QPointer<QScreen> m_screen;
    QMargins m_frame;   // as last centred by
    QPoint m_placedAt;  // the client area's corner, as last centred
    bool m_x11;
    bool m_framed = false;
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
    new FrameWatcher(window, screen, assumed);
}

} // namespace ui

#include "windowplacement.moc"
