// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "widgets/fretboardview.h"

#include <QAccessibleWidget>
#include <QHash>

#include <vector>

namespace ui {

namespace {

// One shown point of the board; it has no widget of its own.
class PointInterface : public QAccessibleInterface {
public:
    PointInterface(FretboardView *view, const PointMarker *marker) : m_view(view), m_marker(marker) {}

    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_view->window()->windowHandle(); }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_view); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? m_marker->spokenName() : QString();
    }

    QRect rect() const override
    {
        const QRect r = m_marker->geometry();
        return QRect(m_view->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !m_marker->isVisible();
        return s;
    }

private:
    FretboardView *m_view;
    const PointMarker *m_marker;
};

// The board: a graphic whose children are its shown points, in string and
// fret order.
class BoardInterface : public QAccessibleWidget {
public:
    explicit BoardInterface(FretboardView *view) : QAccessibleWidget(view, QAccessible::Graphic) {}

    int childCount() const override { return int(shown().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const std::vector<const PointMarker *> points = shown();
        if (index < 0 || index >= int(points.size()))
            return nullptr;
        return pointInterface(points[index]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const std::vector<const PointMarker *> points = shown();
        for (int i = 0; i < int(points.size()); ++i) {
            if (pointInterface(points[i]) == child)
                return i;
        }
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (const PointMarker *point : shown()) {
            QAccessibleInterface *iface = pointInterface(point);
            if (iface->rect().contains(x, y))
                return iface;
        }
        return nullptr;
    }

private:
    FretboardView *view() const { return static_cast<FretboardView *>(widget()); }

    std::vector<const PointMarker *> shown() const
    {
        std::vector<const PointMarker *> points;
        for (const PointMarker &marker : view()->markers()) {
            if (marker.isVisible())
                points.push_back(&marker);
        }
        return points;
    }

    // Point interfaces are made once per point and kept in Qt's cache, so
    // that a screen reader sees the same object from one query to the next.
    QAccessibleInterface *pointInterface(const PointMarker *marker) const;
};

QHash<const PointMarker *, QAccessible::Id> &pointIds()
{
    static QHash<const PointMarker *, QAccessible::Id> ids;
    return ids;
}

QAccessibleInterface *BoardInterface::pointInterface(const PointMarker *marker) const
{
    QAccessible::Id &id = pointIds()[marker];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new PointInterface(view(), marker));
    return QAccessible::accessibleInterface(id);
}

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("FretboardView"))
        return new BoardInterface(static_cast<FretboardView *>(object));
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(factory);
    }
}

void forgetPoints(FretboardView *view)
{
    QHash<const PointMarker *, QAccessible::Id> &ids = pointIds();
    for (const PointMarker &marker : view->markers()) {
        const auto it = ids.constFind(&marker);
        if (it != ids.cend()) {
            QAccessible::deleteAccessibleInterface(it.value());
            ids.erase(it);
        }
    }
}

} // namespace ui
