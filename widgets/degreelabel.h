// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>

class QWidget;

// The degree number over one point marker: a small transparent text label,
// a lightweight item owned and painted by its FretboardView.
class DegreeLabel {
public:
    DegreeLabel(QWidget *view, const QRect &geometry) : m_view(view), m_geometry(geometry) {}

    void setText(const QString &text);
    QString text() const { return m_text; }
    QRect geometry() const { return m_geometry; }

private:
    QWidget *m_view; // the board that paints it
    QRect m_geometry;
    QString m_text;
};
