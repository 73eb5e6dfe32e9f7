// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "widgets/fretboardview.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QDialog>
#include <QHash>

namespace ui {

namespace {

// One point of the board; it has no widget of its own. Every point is a
// child of the board for the whole run, hidden or shown, so that a screen
// reader's copy of the board stays valid: a change of the board changes
// names and states, never the children.
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
        s.focusable = true;
        s.focused = m_view->hasFocus() && m_view->currentPoint() == m_marker;
        return s;
    }

private:
    FretboardView *m_view;
    const PointMarker *m_marker;
};

// What a screen reader was last told of a point.
struct PointRecord {
    QAccessible::Id id = 0;
    QString name;
    bool visible = false;
};

QHash<const PointMarker *, PointRecord> &points()
{
    static QHash<const PointMarker *, PointRecord> records;
    return records;
}

// Point interfaces are made once per point and kept in Qt's cache, so that
// a screen reader sees the same object from one query to the next.
QAccessibleInterface *pointInterface(FretboardView *view, const PointMarker *marker)
{
    PointRecord &record = points()[marker];
    if (!record.id) {
        record.id = QAccessible::registerAccessibleInterface(new PointInterface(view, marker));
        record.name = marker->spokenName();
        record.visible = marker->isVisible();
    }
    return QAccessible::accessibleInterface(record.id);
}

// The board: a graphic whose children are its points, string by string and
// fret by fret; the point the keyboard reached is its focused child.
class BoardInterface : public QAccessibleWidget {
public:
    explicit BoardInterface(FretboardView *view) : QAccessibleWidget(view, QAccessible::Graphic) {}

    int childCount() const override { return int(view()->markers().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const auto &markers = view()->markers();
        if (index < 0 || index >= int(markers.size()))
            return nullptr;
        return pointInterface(view(), &markers[std::size_t(index)]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto &markers = view()->markers();
        for (std::size_t i = 0; i < markers.size(); ++i) {
            if (pointInterface(view(), &markers[i]) == child)
                return int(i);
        }
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (const PointMarker &marker : view()->markers()) {
            QAccessibleInterface *iface = pointInterface(view(), &marker);
            if (marker.isVisible() && iface->rect().contains(x, y))
                return iface;
        }
        return nullptr;
    }

    QAccessibleInterface *focusChild() const override
    {
        const PointMarker *current = view()->currentPoint();
        return view()->hasFocus() && current ? pointInterface(view(), current) : nullptr;
    }

private:
    FretboardView *view() const { return static_cast<FretboardView *>(widget()); }
};

// A window that is not a dialog is a frame to a screen reader; a dialog
// says that it is modal.
class WindowInterface : public QAccessibleWidget {
public:
    WindowInterface(QWidget *window, QAccessible::Role role) : QAccessibleWidget(window, role) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.modal = widget()->windowModality() != Qt::NonModal;
        return s;
    }
};

// Selects a list's shown item in its drop-down, which Qt keeps only while
// the drop-down is open; screen readers read the list's value there.
void selectShownItem(QComboBox *list)
{
    // Selected only: making it the drop-down's current item would move a
    // screen reader's focus into the closed drop-down.
    if (QItemSelectionModel *selection = list->view()->selectionModel())
        selection->select(list->model()->index(list->currentIndex(), list->modelColumn()),
                          QItemSelectionModel::ClearAndSelect);
}

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    // Asked first, when a screen reader first meets a list: Qt's own
    // interface follows, and finds the shown item selected.
    if (className == QLatin1String("QComboBox")) {
        selectShownItem(static_cast<QComboBox *>(object));
        return nullptr;
    }
    if (className == QLatin1String("FretboardView"))
        return new BoardInterface(static_cast<FretboardView *>(object));
    if (className == QLatin1String("QDialog"))
        return new WindowInterface(static_cast<QWidget *>(object), QAccessible::Dialog);
    if (className == QLatin1String("QWidget") && static_cast<QWidget *>(object)->isWindow())
        return new WindowInterface(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

void send(QAccessibleInterface *iface, QAccessible::Event type)
{
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
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

void announcePointChanges(FretboardView *view)
{
    if (!QAccessible::isActive())
        return;
    for (const PointMarker &marker : view->markers()) {
        QAccessibleInterface *iface = pointInterface(view, &marker);
        PointRecord &record = points()[&marker];
        if (record.visible != marker.isVisible()) {
            record.visible = marker.isVisible();
            send(iface, record.visible ? QAccessible::ObjectShow : QAccessible::ObjectHide);
        }
        const QString name = marker.spokenName();
        if (record.name != name) {
            record.name = name;
            send(iface, QAccessible::NameChanged);
        }
    }
}

void announcePointFocus(FretboardView *view, const PointMarker *point)
{
    if (QAccessible::isActive())
        send(pointInterface(view, point), QAccessible::Focus);
}

void keepShownItemSelected(QComboBox *list)
{
    QObject::connect(list, &QComboBox::currentIndexChanged, list, [list] {
        if (QAccessible::isActive())
            selectShownItem(list);
    });
}

void forgetPoints(FretboardView *view)
{
    QHash<const PointMarker *, PointRecord> &records = points();
    for (const PointMarker &marker : view->markers()) {
        const auto it = records.constFind(&marker);
        if (it != records.cend()) {
            QAccessible::deleteAccessibleInterface(it.value().id);
            records.erase(it);
        }
    }
}

} // namespace ui
