// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the window tests: start the program afresh, read the board
// back from the windows, and an oracle for the board written from the rule
// itself rather than from the program's functions.

#include "app/forms.h"
#include "app/fretsight.h"
#include "dialogs/tuning.h"
#include "music/scales.h"
#include "widgets/fretboardview.h"

#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <string>

namespace uitest {

// Activation comes as an event, a moment after the window is shown.
inline void waitUntilActive(QWidget *window)
{
    if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == window; }, 2000))
        qWarning("%s did not become active", qPrintable(window->windowTitle()));
}

// Destroys any earlier windows and runs start-up up to the first drawing.
inline FretSight &startProgram()
{
    forms::unloadAll();
    FretSight &main = forms::fretSight();
    waitUntilActive(&main);
    return main;
}

// Clicks a button that opens or closes a window, and waits for the window
// that becomes active then.
inline void clickAndWait(QAbstractButton *button, QWidget *active)
{
    QTest::mouseClick(button, Qt::LeftButton);
    waitUntilActive(active);
}

// What string s shows, fret by fret: "." for a hidden point with an empty
// label, else the label's text, followed by "r" on a red marker ("?" for
// anything else).
inline std::string boardRow(const FretSight &main, int s)
{
    std::string row;
    for (int f = 0; f < 13; ++f) {
        const PointMarker *marker = main.Shape[s][f];
        const std::string text = main.Degree[s][f]->text().toStdString();
        if (!marker->isVisible())
            row += text.empty() ? "." : "?";
        else if (marker->fillColor() == QColor(255, 0, 0))
            row += text + "r";
        else
            row += marker->fillColor() == QColor(255, 255, 0) ? text : "?";
    }
    return row;
}

// The scale rule, written here from its definition: a note's interval is
// counted upwards from the key, and a scale note's degree is the number of
// scale notes from the root up to it; 0 off the scale.
inline int degreeOf(const std::string &pattern, int key, int note)
{
    const int interval = (note % 12 - key + 12) % 12;
    int degree = 0;
    for (int k = 0; k <= interval; ++k)
        degree += pattern[k] == '1';
    return pattern[interval] == '1' ? degree : 0;
}

// What boardRow() must read, fret by fret.
inline std::string expectedRow(const std::string &pattern, int key, int open)
{
    std::string row;
    for (int f = 0; f < 13; ++f) {
        const int degree = degreeOf(pattern, key, open + f);
        row += degree ? std::to_string(degree) + ((open + f) % 12 == key ? "r" : "") : ".";
    }
    return row;
}

// Note names as a screen reader must say them.
inline QString spokenNote(int n)
{
    return QStringLiteral("C C# D D# E F F# G G# A A# B").split(' ')[n % 12].replace("#", " sharp");
}

// A point's name as a screen reader must say it.
inline QString pointName(int string, int fret, const std::string &pattern, int key, int open)
{
    const int note = (open + fret) % 12, degree = degreeOf(pattern, key, note);
    QString name = QStringLiteral("String %1, fret %2: %3, ").arg(string).arg(fret).arg(spokenNote(note));
    if (!degree)
        return name + QStringLiteral("not in the scale");
    return name + QStringLiteral("degree %1").arg(degree) + (note == key ? QStringLiteral(", root") : QString());
}

inline std::string pattern(int scale) { return std::string(music::ScaleCatalogue[scale].pattern); }

} // namespace uitest
