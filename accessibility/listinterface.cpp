// SPDX-License-Identifier: GPL-3.0-or-later
#include "listinterface.h"

#include "accessibility/noteinterface.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace accessibility {

namespace {

// Selects a list's shown item in its drop-down, which Qt keeps only while
// the drop-down is open. Selected only: making it the drop-down's current
// item would move a screen reader's focus into the closed drop-down.
void selectShownItem(QComboBox *list)
{
    if (QItemSelectionModel *selection = list->view()->selectionModel())
        selection->select(list->model()->index(list->currentIndex(), list->modelColumn()),
                          QItemSelectionModel::ClearAndSelect);
}

} // namespace

ListInterface::ListInterface(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox)
{
    selectShownItem(list);
    QObject::connect(list, &QComboBox::currentIndexChanged, list, [list] {
        selectShownItem(list);
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
        if (list->hasFocus() && list->currentIndex() >= 0)
            NoteInterface::say(list, list->currentData(Qt::AccessibleTextRole).toString());
#endif
    });
    QObject::connect(list, &QObject::destroyed, [list] { NoteInterface::forget(list); });
}

QString ListInterface::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name || t == QAccessible::Value)
        return value();
    return QAccessibleWidget::text(t);
}

int ListInterface::childCount() const
{
    return 1 + NoteInterface::Count;
}

QAccessibleInterface *ListInterface::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(list()->view());
    return index > 0 && index <= NoteInterface::Count ? NoteInterface::of(list(), index - 1) : nullptr;
}

int ListInterface::indexOfChild(const QAccessibleInterface *child) const
{
    if (child && child->object() == list()->view())
        return 0;
    const int note = NoteInterface::indexOf(list(), child);
    return note < 0 ? -1 : 1 + note;
}

QAccessible::State ListInterface::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = list()->view()->isVisible();
    s.collapsed = !s.expanded;
    return s;
}

QStringList ListInterface::actionNames() const
{
    return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
}

void ListInterface::doAction(const QString &action)
{
    if (action == showMenuAction() || action == pressAction())
        list()->showPopup();
    else
        QAccessibleWidget::doAction(action);
}

#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
void *ListInterface::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

QString ListInterface::text(int start, int end) const
{
    return value().mid(start, end - start);
}

int ListInterface::characterCount() const
{
    return int(value().size());
}

QString ListInterface::attributes(int, int *start, int *end) const
{
    *start = 0;
    *end = characterCount();
    return QString();
}
#endif

QComboBox *ListInterface::list() const
{
    return static_cast<QComboBox *>(widget());
}

QString ListInterface::value() const
{
    return list()->currentIndex() < 0 ? QString() : list()->currentData(Qt::AccessibleTextRole).toString();
}

} // namespace accessibility
