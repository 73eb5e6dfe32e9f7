// SPDX-License-Identifier: GPL-3.0-or-later
#include "focusstyle.h"

#include <QPainter>
#include <QStyleOption>

namespace {

void drawFocusMark(QPainter *painter, const QRect &rect, const QColor &color)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(color);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

} // namespace

FocusStyle::FocusStyle() = default;

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    // Buttons and boxes ask for this around their text when focused; some
    // styles draw it only after a key moved the focus, and faintly.
    if (element == PE_FrameFocusRect) {
        drawFocusMark(painter, option->rect, option->palette.color(QPalette::WindowText));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && (option->state & State_HasFocus))
        drawFocusMark(painter, subElementRect(SE_PushButtonFocusRect, option, widget).adjusted(2, 2, -2, -2),
                      option->palette.color(QPalette::ButtonText));
}

void FocusStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                    QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox && (option->state & State_HasFocus)) {
        const QRect field = subControlRect(CC_ComboBox, option, SC_ComboBoxEditField, widget);
        drawFocusMark(painter, field.adjusted(-2, 1, 0, -1), option->palette.color(QPalette::ButtonText));
    }
}
