// SPDX-License-Identifier: GPL-3.0-or-later
#include "degreelabel.h"

#include <QWidget>

void DegreeLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_view->update();
}
