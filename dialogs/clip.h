// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/formdialog.h"

#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

// The copy dialog: choose keys, then copy text diagrams of the main
// window's scale type in the current tuning to the clipboard.
class Clip : public FormDialog {
    Q_OBJECT

public:
    Clip();

    // The clipboard text for the current selections and ticked keys.
    std::string BuildDiagramText() const;

    QLabel *Label1 = nullptr;
    std::array<QLabel *, 2> Label2{};
    std::array<QCheckBox *, 12> Check1{}; // by note index
    QPushButton *Command1 = nullptr;      // "Copy to Clipboard"
    QPushButton *Command2 = nullptr;      // "Cancel"

protected:
    QAbstractButton *closingButton() const override;

private:
    void command1Click();
    void command2Click();
};
