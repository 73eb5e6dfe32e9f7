// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "widgets/fretboardview.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QDialog>
#include <QHash>

#include <array>

namespace ui {

namespace {

// One point of the board; it has no widget of its own. Every point is a
// child of the board for the whole run, and shown, in the scale or not (its
// name says which): a change of the board changes names, never the
// children or their states, so that it costs a screen reader nothing until
// the user goes there.
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

    QString text(QAccessible::Text t) const override;

    QRect rect() const override
    {
        const QRect r = m_marker->geometry();
        return QRect(m_view->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.focused = m_view->hasFocus() && m_view->currentPoint() == m_marker;
        return s;
    }

private:
    FretboardView *m_view;
    const PointMarker *m_marker;
};

// What a screen reader was last told a point is called.
struct PointRecord {
    QAccessible::Id id = 0;
    QString name;
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
    }
    return QAccessible::accessibleInterface(record.id);
}

QString PointInterface::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? m_marker->spokenName() : QString();
}

// A passing note: what a screen reader is to say of a change that moves no
// focus (an arrow key at the edge of the board, a list's new value where
// the screen reader would not say it). The note takes the focus in the
// control's place until the focus moves on, and is hidden otherwise. Each
// control has two, its last children, taken in turn, for a screen reader
// speaks a focus only when it moves to another object; and they lie a
// pixel apart, for it takes two objects of the same role, name and place
// for one.
struct Notes {
    std::array<QAccessible::Id, 2> ids{};
    std::array<QString, 2> texts;
    int focused = -1; // the note that has the focus, if any
};

QHash<const QWidget *, Notes> &notes()
{
    static QHash<const QWidget *, Notes> records;
    return records;
}

class NoteInterface : public QAccessibleInterface {
public:
    NoteInterface(QWidget *control, int index) : m_control(control), m_index(index) {}

    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_control->window()->windowHandle(); }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_control); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? notes().value(m_control).texts[std::size_t(m_index)] : QString();
    }

    // Where the change is: the point the walk stands on, or the control.
    QRect rect() const override
    {
        QRect r(m_control->mapToGlobal(QPoint(0, 0)), m_control->size());
        if (auto *view = qobject_cast<FretboardView *>(m_control); view && view->currentPoint())
            r = pointInterface(view, view->currentPoint())->rect();
        return r.adjusted(0, 0, m_index, m_index);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.focused = m_control->hasFocus() && notes().value(m_control).focused == m_index;
        s.invisible = !s.focused;
        return s;
    }

private:
    QWidget *m_control;
    int m_index;
};

QAccessibleInterface *noteInterface(QWidget *control, int index)
{
    QAccessible::Id &id = notes()[control].ids[std::size_t(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new NoteInterface(control, index));
    return QAccessible::accessibleInterface(id);
}

void send(QAccessibleInterface *iface, QAccessible::Event type);

constexpr int NoteCount = 2;

// Which note of the control's an interface is, else -1.
int noteIndex(QWidget *control, const QAccessibleInterface *iface)
{
    for (int i = 0; i < NoteCount; ++i) {
        if (iface && iface == noteInterface(control, i))
            return i;
    }
    return -1;
}

// Gives the focus to a note of the control's that says the text.
void sayNote(QWidget *control, const QString &text)
{
    Notes &record = notes()[control];
    record.focused = record.focused == 0 ? 1 : 0;
    record.texts[std::size_t(record.focused)] = text;
    send(noteInterface(control, record.focused), QAccessible::Focus);
}

// Drops the notes of a control that is going away.
void forgetNotes(QWidget *control)
{
    const auto it = notes().constFind(control);
    if (it == notes().cend())
        return;
    for (QAccessible::Id id : it.value().ids) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
    notes().erase(it);
}

// The focused note of the control's, if it has one.
QAccessibleInterface *focusedNote(QWidget *control)
{
    const int focused = notes().value(control).focused;
    return control->hasFocus() && focused >= 0 ? noteInterface(control, focused) : nullptr;
}

// The board: a graphic whose children are its points, string by string and
// fret by fret; the point the keyboard reached is its focused child.
class BoardInterface : public QAccessibleWidget {
public:
    explicit BoardInterface(FretboardView *view) : QAccessibleWidget(view, QAccessible::Graphic) {}

    int childCount() const override { return pointCount() + NoteCount; }

    QAccessibleInterface *child(int index) const override
    {
        if (index >= pointCount() && index < pointCount() + NoteCount)
            return noteInterface(view(), index - pointCount());
        if (index < 0 || index >= pointCount())
            return nullptr;
        return pointInterface(view(), &view()->markers()[std::size_t(index)]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto &markers = view()->markers();
        for (std::size_t i = 0; i < markers.size(); ++i) {
            if (pointInterface(view(), &markers[i]) == child)
                return int(i);
        }
        const int note = noteIndex(view(), child);
        return note < 0 ? -1 : pointCount() + note;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (const PointMarker &marker : view()->markers()) {
            QAccessibleInterface *iface = pointInterface(view(), &marker);
            if (iface->rect().contains(x, y))
                return iface;
        }
        return nullptr;
    }

    QAccessibleInterface *focusChild() const override
    {
        const PointMarker *current = view()->currentPoint();
        if (!view()->hasFocus() || !current)
            return nullptr;
        QAccessibleInterface *note = focusedNote(view());
        return note ? note : pointInterface(view(), current);
    }

private:
    FretboardView *view() const { return static_cast<FretboardView *>(widget()); }
    int pointCount() const { return int(view()->markers().size()); }
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

// A pick-only list. Its name is its shown item, as Qt has it on this
// platform, but as spoken; its drop-down is its first child. Before Qt 6.5
// lists have no AT-SPI selection, where screen readers look for a list's
// value: there the value is also the list's text, where they look next,
// and a change moves their focus to the drop-down's new item, which they
// say as it comes.
class ListInterface : public QAccessibleWidget
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    , public QAccessibleTextInterface
#endif
{
public:
    explicit ListInterface(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name || t == QAccessible::Value)
            return value();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return 1 + NoteCount; }

    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(list()->view());
        return index > 0 && index <= NoteCount ? noteInterface(list(), index - 1) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child && child->object() == list()->view())
            return 0;
        const int note = noteIndex(list(), child);
        return note < 0 ? -1 : 1 + note;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        s.collapsed = !s.expanded;
        return s;
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
    }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    static constexpr bool HasSelection = false;

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The value as a read-only text without a caret.
    QString text(int start, int end) const override { return value().mid(start, end - start); }
    int characterCount() const override { return int(value().size()); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return QString();
    }
#else
    static constexpr bool HasSelection = true;
#endif

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }

    QString value() const
    {
        return list()->currentIndex() < 0 ? QString() : list()->currentData(Qt::AccessibleTextRole).toString();
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
    // Asked when a screen reader first meets a list, which then finds its
    // shown item selected.
    if (className == QLatin1String("QComboBox")) {
        selectShownItem(static_cast<QComboBox *>(object));
        return new ListInterface(static_cast<QComboBox *>(object));
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
    // Only the point the walk stands on: a screen reader asks for the
    // others' names when it gets there. One event for each of the 78 would
    // flood it at every change of the lists.
    const PointMarker *current = view->currentPoint();
    if (!QAccessible::isActive() || !current)
        return;
    PointRecord &record = points()[current];
    QAccessibleInterface *iface = pointInterface(view, current);
    if (record.name != current->spokenName()) {
        record.name = current->spokenName();
        send(iface, QAccessible::NameChanged);
    }
}

void announcePointFocus(FretboardView *view, const PointMarker *point, const QString &edge)
{
    if (!QAccessible::isActive())
        return;
    if (edge.isEmpty()) {
        notes()[view].focused = -1;
        announcePointChanges(view);
        send(pointInterface(view, point), QAccessible::Focus);
    } else {
        sayNote(view, edge);
    }
}

void keepShownItemSelected(QComboBox *list)
{
    QObject::connect(list, &QComboBox::currentIndexChanged, list, [list] {
        if (!QAccessible::isActive())
            return;
        selectShownItem(list);
        if (!ListInterface::HasSelection && list->hasFocus() && list->currentIndex() >= 0)
            sayNote(list, list->currentData(Qt::AccessibleTextRole).toString());
    });
    QObject::connect(list, &QObject::destroyed, [list] { forgetNotes(list); });
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
    forgetNotes(view);
}

} // namespace ui
