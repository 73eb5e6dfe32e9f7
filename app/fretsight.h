// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/dialogset.h"
#include "dialogs/scalelists.h"
#include "music/notes.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class DegreeLabel;
class FormDialog;
class FretboardView;
class PointMarker;

// The main window: key and scale-type lists, the fretboard and its points,
// and the buttons that open the dialogs. The dialogs read its lists as
// ScaleLists.
class FretSight : public QWidget, public ScaleLists {
    Q_OBJECT

public:
    explicit FretSight(DialogSet &dialogs);

    // Load step: fill and select the lists, fill the pattern table, show.
    void formLoad();
    // Runs every time the window becomes active.
    void formActivate();

    // Lights, colours and labels all 78 points from the current inputs.
    void RefreshFretboard();

    const QComboBox *keyList() const override { return Combo1; }
    const QComboBox *scaleList() const override { return Combo2; }

    // How many times the board has been drawn (for diagnostics and tests).
    int refreshCount() const { return m_refreshCount; }

    QLabel *Label1 = nullptr;
    QComboBox *Combo1 = nullptr; // key, note index 0..11
    QLabel *Label2 = nullptr;
    QComboBox *Combo2 = nullptr; // scale type, 0..64
    QPushButton *Command1 = nullptr; // "Tuning.."
    QPushButton *Command3 = nullptr; // "Copy.."
    QPushButton *Command2 = nullptr; // "About..."
    FretboardView *Picture1 = nullptr;
    std::array<QLabel *, music::StringCount + 1> Label3{}; // open-string names, elements 1..6
    std::array<QLabel *, music::FretCount> Label4{};       // fret numbers 0..12
    QLabel *Label5 = nullptr;
    std::array<QLabel *, 3> Label6{}; // instructions
    QLabel *Label7 = nullptr;         // credit line
    QPushButton *Command4 = nullptr;  // "Exit Program"

    // Shape[s] is the marker array of string s (Shape1 .. Shape6), by fret;
    // Degree[s] the degree labels of string s (Label11 .. Label16). Both are
    // items of the board, painted by Picture1.
    using MarkerRow = std::array<PointMarker *, music::FretCount>;
    using LabelRow = std::array<DegreeLabel *, music::FretCount>;
    std::array<MarkerRow, music::StringCount + 1> Shape{};
    std::array<LabelRow, music::StringCount + 1> Degree{};

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    DialogSet &m_dialogs;

    void buildBoard();
    void openDialog(FormDialog &dialog);
    // Brings the open dialog back in front, unless the user is minimizing it.
    void returnToDialog();
    void combo1Click();
    void combo2Click();
    void command1Click();
    void command2Click();
    void command3Click();
    void command4Click();

    static constexpr QEvent::Type AfterFirstPaint = QEvent::Type(QEvent::User + 1);
    static constexpr int DialogReturnDelayMs = 150;

    QPointer<FormDialog> m_dialog; // the dialog this window opened last
    bool m_activatedOnce = false;
    int m_refreshCount = 0;
};
