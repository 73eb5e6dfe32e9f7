// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/notes.h"
#include "widgets/formdialog.h"

#include <QString>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

// The tuning dialog. Its six per-string lists are the one store of the
// current tuning; other windows read them, also while it is hidden.
class Tuning : public FormDialog {
    Q_OBJECT

public:
    Tuning();

    QComboBox *Combo1 = nullptr;         // presets, index 0..8
    std::array<QLabel *, 3> Label1{};
    std::array<QFrame *, music::StringCount + 1> Line1{};     // elements 1..6
    std::array<QComboBox *, music::StringCount + 1> Combo2{}; // open note of string s, elements 1..6
    QPushButton *Command1 = nullptr;     // "OK"

    // The open-string notes as the lists hold them, string 1 first; -1 for
    // a list with nothing chosen.
    music::Tuning openNotes() const;

protected:
    QAbstractButton *closingButton() const override;
    void formActivate() override;

private:
    void formLoad();
    void combo1Click();
    void combo2Click(int s);
    void command1Click();
    void focusOk();
    void tellChange(const QString &change);

    QString m_change; // to be announced once the change is done
};
