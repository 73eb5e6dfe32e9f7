// SPDX-License-Identifier: GPL-3.0-or-later
#include "noteinterface.h"

#include "accessibility/pointinterface.h"
#include "widgets/fretboardview.h"

#include <QHash>

#include <array>

namespace accessibility {

namespace {

struct Notes {
    std::array<QAccessible::Id, NoteInterface::Count> ids{};
    std::array<QString, NoteInterface::Count> texts;
    int focused = -1; // the note that has the focus, if any
};

QHash<const QWidget *, Notes> &notes()
{
    static QHash<const QWidget *, Notes> records;
    return records;
}

} // namespace

void announce(QAccessibleInterface *iface, QAccessible::Event type)
{
    QAccessibleEvent event(iface, type);
    QAccessible::updateAccessibility(&event);
}

NoteInterface::NoteInterface(QWidget *control, int index) : LeafInterface(control), m_index(index) {}

QString NoteInterface::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? notes().value(owner()).texts[std::size_t(m_index)] : QString();
}

QRect NoteInterface::rect() const
{
    QRect r(owner()->mapToGlobal(QPoint(0, 0)), owner()->size());
    if (auto *view = qobject_cast<FretboardView *>(owner()); view && view->currentPoint())
        r = PointInterface::screenRect(view, view->currentPoint());
    return r.adjusted(0, 0, m_index, m_index);
}

QAccessible::State NoteInterface::state() const
{
    QAccessible::State s;
    s.focusable = true;
    s.focused = owner()->hasFocus() && notes().value(owner()).focused == m_index;
    s.invisible = !s.focused;
    return s;
}

QAccessibleInterface *NoteInterface::of(QWidget *control, int index)
{
    QAccessible::Id &id = notes()[control].ids[std::size_t(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new NoteInterface(control, index));
    return QAccessible::accessibleInterface(id);
}

int NoteInterface::indexOf(QWidget *control, const QAccessibleInterface *iface)
{
    for (int i = 0; i < Count; ++i) {
        if (iface && iface == of(control, i))
            return i;
    }
    return -1;
}

void NoteInterface::say(QWidget *control, const QString &text)
{
    Notes &record = notes()[control];
    record.focused = record.focused == 0 ? 1 : 0;
    record.texts[std::size_t(record.focused)] = text;
    announce(of(control, record.focused), QAccessible::Focus);
}

void NoteInterface::end(QWidget *control)
{
    const auto it = notes().find(control);
    if (it != notes().end())
        it->focused = -1;
}

QAccessibleInterface *NoteInterface::focused(QWidget *control)
{
    const int index = notes().value(control).focused;
    return control->hasFocus() && index >= 0 ? of(control, index) : nullptr;
}

void NoteInterface::forget(const QWidget *control)
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

} // namespace accessibility
