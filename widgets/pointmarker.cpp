// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointmarker.h"

#include "widgets/ui.h"

#include <QWidget>

PointMarker::PointMarker(QWidget *view, const QRect &geometry, int string, int fret)
    : m_view(view), m_geometry(geometry), m_string(string), m_fret(fret),
      m_fill(Qt::yellow)
{
}

void PointMarker::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    m_view->update();
}

void PointMarker::setFillColor(const QColor &color)
{
    if (color == m_fill)
        return;
    m_fill = color;
    if (m_visible)
        m_view->update();
}

void PointMarker::setMeaning(int note, int degree, bool root)
{
    m_note = note;
    m_degree = degree;
    m_root = root;
}

QString PointMarker::spokenName() const
{
    if (!m_visible || m_degree == 0)
        return QStringLiteral("String %1, fret %2: %3, not in the scale")
            .arg(m_string)
            .arg(m_fret)
            .arg(ui::spoken(ui::noteName(m_note)));
    return QStringLiteral("String %1, fret %2: %3, degree %4%5")
        .arg(m_string)
        .arg(m_fret)
        .arg(ui::spoken(ui::noteName(m_note)))
        .arg(m_degree)
        .arg(m_root ? QStringLiteral(", root") : QString());
}
