// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QWidget;

// One point marker of the board: a filled circle that is shown or hidden.
// A lightweight item owned and painted by its FretboardView.
class PointMarker {
public:
    PointMarker(QWidget *view, const QRect &geometry, int string, int fret);

    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    void setVisible(bool visible);
    bool isVisible() const { return m_visible; }

    void setFillColor(const QColor &color);
    QColor fillColor() const { return m_fill; }

    QRect geometry() const { return m_geometry; }
    int string() const { return m_string; }
    int fret() const { return m_fret; }

    // What the point stands for, as a screen reader announces it, e.g.
    // "String 1, fret 8: C, degree 1, root", or "String 1, fret 2: F sharp,
    // not in the scale" for a hidden point. Worked out when asked for.
    void setMeaning(int note, int degree, bool root);
    QString spokenName() const;

private:
    QWidget *m_view; // the board that paints it
    QRect m_geometry;
    int m_string, m_fret;
    bool m_visible = false;
    QColor m_fill;
    int m_note = 0, m_degree = 0;
    bool m_root = false;
};
