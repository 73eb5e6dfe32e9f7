// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleInterface>

class QWidget;

namespace accessibility {

// An object that a widget shows to screen readers without a widget of its
// own, and with no children: a point of the board, a passing note.
class LeafInterface : public QAccessibleInterface {
public:
    explicit LeafInterface(QWidget *owner) : m_owner(owner) {}

    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}

protected:
    QWidget *owner() const { return m_owner; }

private:
    QWidget *m_owner;
};

} // namespace accessibility
