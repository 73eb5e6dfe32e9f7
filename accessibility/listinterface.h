// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace accessibility {

// A pick-only list. Its name is its shown item, as Qt has it on this
// platform, but as spoken; its drop-down is its first child, its passing
// notes the next; its drop-down's selected item is the one shown, also
// while closed, for screen readers read the value there. Before Qt 6.5
// lists have no AT-SPI selection: there the value is also the list's text,
// where screen readers look next, and a change is said by a note, for the
// name changes that Qt 6.4 sends carry no text.
class ListInterface : public QAccessibleWidget
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    , public QAccessibleTextInterface
#endif
{
public:
    explicit ListInterface(QComboBox *list);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &action) override;

#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    void *interface_cast(QAccessible::InterfaceType t) override;

    // The value as a read-only text without a caret.
    QString text(int start, int end) const override;
    int characterCount() const override;
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
    QString attributes(int, int *start, int *end) const override;
#endif

private:
    QComboBox *list() const;
    QString value() const;
};

} // namespace accessibility
