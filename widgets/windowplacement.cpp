// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowplacement.h"

#include <QApplication>
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
// by that frame once.
class FrameWatcher : public QObject {
    Q_OBJECT

public:
    FrameWatcher(QWidget *window, const QRect &area, const QMargins &assumed)
        : QObject(window), m_window(window), m_area(area), m_assumed(assumed)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::Paint:
            break;
        case QEvent::Hide:
            deleteLater();
            return false;
        default:
            return false;
        }
        const QWindow *handle = m_window->windowHandle();
        if (!handle || !handle->isExposed())
            return false;
        const QMargins frame = handle->frameMargins();
        if (frame.isNull())
            return false; // not framed yet, or no window manager at all
        if (frame != m_assumed)
            moveToCentre(m_window, m_area, frame);
        deleteLater();
        return false;
    }

private:
    QWidget *m_window;
    QRect m_area;
    QMargins m_assumed;
};

} // namespace

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
    // Until the window manager frames it, the best guess at the frame is
    // that of another window of the program already on the screen.
    QMargins assumed;
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        if (other != window && other->isVisible() && other->windowHandle())
            assumed = other->windowHandle()->frameMargins();
        if (!assumed.isNull())
            break;
    }
    moveToCentre(window, area, assumed);
    new FrameWatcher(window, area, assumed);
}

} // namespace ui

#include "windowplacement.moc"
