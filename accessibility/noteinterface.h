// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "accessibility/leafinterface.h"

class QWidget;

namespace accessibility {

// Sends a screen reader an event of an object.
void announce(QAccessibleInterface *iface, QAccessible::Event type);

// A passing note: what a screen reader is to say of a change that moves no
// focus (an arrow key at the edge of the board, a list's new value where
// the screen reader would not say it). The note takes the focus in the
// control's place until the focus moves on, and is hidden otherwise. Each
// control has two, its last children, taken in turn, for a screen reader
// speaks a focus only when it moves to another object; and they lie a
// pixel apart, for it takes two objects of the same role, name and place
// for one.
class NoteInterface : public LeafInterface {
public:
    static constexpr int Count = 2;

    NoteInterface(QWidget *control, int index);

    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QString text(QAccessible::Text t) const override;
    // Where the change is: the point the board's walk stands on, or the
    // control.
    QRect rect() const override;
    QAccessible::State state() const override;

    // The control's note of that index, made once.
    static QAccessibleInterface *of(QWidget *control, int index);
    // Which of the control's notes an interface is, else -1.
    static int indexOf(QWidget *control, const QAccessibleInterface *iface);
    // Gives the focus to a note of the control's that says the text.
    static void say(QWidget *control, const QString &text);
    // The focus is back on the control itself.
    static void end(QWidget *control);
    // The note of the control's that has the focus, if one has.
    static QAccessibleInterface *focused(QWidget *control);
    // Drops a control's notes, with the control.
    static void forget(const QWidget *control);

private:
    int m_index;
};

} // namespace accessibility
