// SPDX-License-Identifier: GPL-3.0-or-later
#include "fretboardview.h"

#include "widgets/accessibility.h"
#include "widgets/ui.h"

#include <QAccessible>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

FretboardView::FretboardView(QWidget *parent)
    : QWidget(parent), m_picture(ui::picture(QStringLiteral("fretboard")))
{
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

FretboardView::~FretboardView()
{
    ui::forgetPoints(this);
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

void FretboardView::itemChanged()
{
    update();
}

void FretboardView::announceChange()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(this, QAccessible::ObjectReorder); // its points are other ones
    QAccessible::updateAccessibility(&event);
}

void FretboardView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The border in the normal text colour, enabled or not.
    painter.setPen(palette().color(QPalette::Normal, QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawPixmap(1, 1, m_picture);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }

    painter.setRenderHint(QPainter::Antialiasing);
    for (const PointMarker &marker : m_markers) {
        if (!marker.isVisible())
            continue;
        painter.setPen(QPen(marker.fillColor().darker(220), 1.0));
        painter.setBrush(marker.fillColor());
        painter.drawEllipse(QRectF(marker.geometry()).adjusted(0.5, 0.5, -0.5, -0.5));
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
