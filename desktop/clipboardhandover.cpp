// SPDX-License-Identifier: GPL-3.0-or-later
#include "clipboardhandover.h"

#include "desktop/x11hints.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

#include <utility>

namespace ui {

namespace {

// Long enough for a busy compositor, short enough that a user whose desktop
// reads nothing does not wait on the window.
constexpr int LongestWaitMs = 500;

// Waits for the first request from another program for the clipboard's
// content, or for the longest wait, then runs its task and goes.
class HandOverWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    HandOverWatcher(QObject *context, std::function<void()> then)
        : m_context(context), m_then(std::move(then))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
        QTimer::singleShot(LongestWaitMs, this, &HandOverWatcher::finish);
    }
    ~HandOverWatcher() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        // Queued: Qt answers the request first.
        if (isClipboardRequest(eventType, message))
            QMetaObject::invokeMethod(this, &HandOverWatcher::finish, Qt::QueuedConnection);
        return false;
    }

private:
    void finish()
    {
        if (m_done)
            return;
        m_done = true;
        if (m_context)
            m_then();
        deleteLater();
    }

    QPointer<QObject> m_context;
    std::function<void()> m_then;
    bool m_done = false;
};

bool underXwayland()
{
    return QGuiApplication::platformName() == QLatin1String("xcb") &&
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

void afterClipboardTaken(QObject *context, std::function<void()> then)
{
    if (underXwayland()) {
        new HandOverWatcher(context, std::move(then));
        return;
    }
    then();
}

} // namespace ui

#include "clipboardhandover.moc"
