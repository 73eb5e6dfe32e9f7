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

// The same, worked out from the scale's pattern text: the note at fret f is
// f semitones above the open note, its interval is counted upwards from the
// key, and a scale note's degree is the number of scale notes from the root
// up to it.
inline std::string expectedRow(const std::string &pattern, int key, int open)
{
    std::string row;
    for (int f = 0; f < 13; ++f) {
        const int interval = ((open + f) % 12 - key + 12) % 12;
        if (pattern[interval] != '1') {
            row += ".";
            continue;
        }
        int degree = 0;
        for (int k = 0; k <= interval; ++k)
            degree += pattern[k] == '1';
        row += std::to_string(degree) + (interval == 0 ? "r" : "");
    }
    return row;
}

inline std::string pattern(int scale) { return std::string(music::ScaleCatalogue[scale].pattern); }

} // namespace uitest
