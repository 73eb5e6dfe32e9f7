// SPDX-License-Identifier: GPL-3.0-or-later
#include "fretboardview.h"

#include "widgets/ui.h"

#include "music/notes.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

FretboardView::FretboardView(QWidget *parent)
    : QWidget(parent), m_picture(ui::picture(QStringLiteral("fretboard")))
{
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect FretboardView::inside(int left, int top, int width, int height)
{
    // Positions are measured from inside the border.
    return ui::twips(left, top, width, height).translated(1, 1);
}

PointMarker *FretboardView::addMarker(const QRect &geometry, int string, int fret)
{
    return &m_markers.emplace_back(this, geometry, string, fret);
}

DegreeLabel *FretboardView::addLabel(const QRect &geometry)
{
    return &m_labels.emplace_back(this, geometry);
}

const PointMarker *FretboardView::currentPoint() const
{
    return m_current < 0 ? nullptr : &m_markers[std::size_t(m_current)];
}

void FretboardView::keyPressEvent(QKeyEvent *event)
{
    // Before the first arrow key, the walk stands on string 1, fret 0.
    const PointMarker *from = currentPoint();
    const int fromString = from ? from->string() : 1, fromFret = from ? from->fret() : 0;
    int string = fromString, fret = fromFret;
    QString edge; // what is said when the key finds the edge
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Home:
        fret = event->key() == Qt::Key_Home ? 0 : std::max(fret - 1, 0);
        edge = QStringLiteral("No fret below 0");
        break;
    case Qt::Key_Right:
    case Qt::Key_End:
        fret = event->key() == Qt::Key_End ? music::FretCount - 1 : std::min(fret + 1, music::FretCount - 1);
        edge = QStringLiteral("No fret above %1").arg(music::FretCount - 1);
        break;
    case Qt::Key_Up:
        string = std::max(string - 1, 1);
        edge = QStringLiteral("No string above string 1");
        break;
    case Qt::Key_Down:
        string = std::min(string + 1, music::StringCount);
        edge = QStringLiteral("No string below string %1").arg(music::StringCount);
        break;
    default: QWidget::keyPressEvent(event); return;
    }
    if (!from || string != fromString || fret != fromFret)
        edge.clear();
    for (std::size_t i = 0; i < m_markers.size(); ++i) {
        if (m_markers[i].string() == string && m_markers[i].fret() == fret) {
            m_current = int(i);
            update();
            emit pointReached(&m_markers[i], edge);
        }
    }
    event->accept();
}

void FretboardView::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void FretboardView::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void FretboardView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The border in the normal text colour, enabled or not.
    painter.setPen(palette().color(QPalette::Normal, QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawPixmap(1, 1, m_picture);
    // The focus: white inside the black border, then black, which stands
    // out from the border and from any colour of the picture.
    if (hasFocus()) {
        painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }

    painter.setRenderHint(QPainter::Antialiasing);
    for (const PointMarker &marker : m_markers) {
        if (!marker.isVisible())
            continue;
        painter.setPen(QPen(marker.fillColor().darker(220), 1.0));
        painter.setBrush(marker.fillColor());
        painter.drawEllipse(QRectF(marker.geometry()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    // The point the arrow keys reached: a white ring edged in black.
    if (hasFocus() && currentPoint()) {
        const QRectF around = QRectF(currentPoint()->geometry()).adjusted(-3, -3, 3, 3);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 1.0));
        painter.drawEllipse(around.adjusted(-1.5, -1.5, 1.5, 1.5));
        painter.setPen(QPen(Qt::white, 2.0));
        painter.drawEllipse(around);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setFont(m_labelFont);
    painter.setPen(Qt::black);
    for (const DegreeLabel &label : m_labels) {
        if (label.text().isEmpty())
            continue;
        // Each label is clipped to its own small square, as a label is.
        painter.setClipRect(label.geometry());
        painter.drawText(label.geometry(), Qt::AlignLeft | Qt::AlignTop, label.text());
    }
}
