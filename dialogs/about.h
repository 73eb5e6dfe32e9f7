// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/formdialog.h"

#include <array>

class QLabel;
class QPushButton;

// The about box: icon, name, licence, and an invitation to send feedback.
class About : public FormDialog {
    Q_OBJECT

public:
    About();

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    std::array<QLabel *, 5> Label2{};
    std::array<QLabel *, 2> Label3{};
    QPushButton *Command1 = nullptr; // "OK"

protected:
    QAbstractButton *closingButton() const override;

private:
    void command1Click();
};
