// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

// A push button that is never a window's default: it acts when clicked, or
// when it has the focus and Space, Enter or Return is pressed.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(const QString &text, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
