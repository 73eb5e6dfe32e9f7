// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/notes.h"
#include "widgets/formdialog.h"

#include <array>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;
class ScaleLists;
class Tuning;

// The copy dialog: choose keys, then copy text diagrams of the scale type
// chosen in the main window's lists, in the current tuning, to the
// clipboard.
class Clip : public FormDialog {
    Q_OBJECT

public:
    Clip(const ScaleLists &lists, const Tuning &tuning);

    // The clipboard text for the current selections and ticked keys.
    std::string BuildDiagramText() const;

    QLabel *Label1 = nullptr;
    std::array<QLabel *, 2> Label2{};
    std::array<QCheckBox *, music::NoteCount> Check1{}; // by note index
    QPushButton *Command1 = nullptr;      // "Copy to Clipboard"
    QPushButton *Command2 = nullptr;      // "Cancel"

protected:
    QAbstractButton *closingButton() const override;

private:
    const ScaleLists &m_lists;
    const Tuning &m_tuning;
    bool m_copying = false; // copied; closing once the desktop has the copy

    void command1Click();
    void command2Click();
};
