#pragma once

// Helpers shared by the window tests: start the program afresh, read the
// board back from the widgets, and record the order of show/enable steps.

#include "app/fretboard.h"
#include "app/forms.h"
#include "app/fretsight.h"
#include "dialogs/tuning.h"
#include "music/notes.h"
#include "music/scales.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QTest>

#include <string>
#include <vector>

namespace uitest {

// Destroys any earlier windows and runs start-up up to the first drawing.
inline FretSight &startProgram()
{
    forms::unloadAll();
    FretSight &main = forms::fretSight();
    QApplication::processEvents();
    return main;
}

// Waits until the application has made `window` its active window (the
// platform window can report itself active a little earlier).
inline void waitForActivation(QWidget &window)
{
    QDeadlineTimer deadline(2000);
    while (QApplication::activeWindow() != &window && !deadline.hasExpired())
        QTest::qWait(5);
    if (QApplication::activeWindow() != &window)
        qWarning("%s did not become active", qPrintable(window.windowTitle()));
}

// One text per string: the degree of each shown point, "." for a hidden
// point with an empty label ("?" for a hidden point that kept its text).
inline std::string boardRow(const FretSight &main, int s)
{
    std::string row;
    for (int f = 0; f < music::FretCount; ++f) {
        const bool shown = main.Shape[s][f]->isVisibleTo(main.Picture1);
        const QString text = main.Degree[s][f]->text();
        row += shown ? text.toStdString() : (text.isEmpty() ? "." : "?");
    }
    return row;
}

// Compares every point with the rule computed from the given inputs.
inline bool boardMatches(const FretSight &main, int scale, int key, const music::Tuning &open,
                         QString *why)
{
    const music::IntervalFlags flags = music::intervalFlags(Module1::ScalePatterns[scale]);
    const music::Board expected = music::computeBoard(flags, key, open);
    for (int s = 1; s <= 6; ++s) {
        for (int f = 0; f < music::FretCount; ++f) {
            const music::PointState &p = expected[s - 1][f];
            const PointMarker *marker = main.Shape[s][f];
            const bool shown = marker->isVisibleTo(main.Picture1);
            const QString text = main.Degree[s][f]->text();
            const QString wanted = p.shown ? QString::number(p.degree) : QString();
            const QColor colour = p.root ? board::Red : board::Yellow;
            if (shown != p.shown || text != wanted || (p.shown && marker->fillColor() != colour)) {
                *why = QStringLiteral("string %1 fret %2").arg(s).arg(f);
                return false;
            }
        }
    }
    return true;
}

// The widgets that Tab visits in a window, in order, from the first.
inline QList<QWidget *> tabChain(QWidget *window, QWidget *first)
{
    QList<QWidget *> chain;
    QWidget *w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->window() == window)
            chain << w;
        w = w->nextInFocusChain();
    } while (w != first);
    return chain;
}

inline music::Tuning currentTuning()
{
    music::Tuning open{};
    for (int s = 1; s <= 6; ++s)
        open[s - 1] = forms::tuning().Combo2[s]->currentIndex();
    return open;
}

// Records, at each show and hide of a dialog, whether the main window was
// enabled at that moment.
class OrderProbe : public QObject {
public:
    explicit OrderProbe(QWidget *dialog) { dialog->installEventFilter(this); }
    std::vector<std::string> steps;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const bool enabled = forms::fretSight().isEnabled();
        if (event->type() == QEvent::Show)
            steps.push_back(enabled ? "show/main-enabled" : "show/main-disabled");
        if (event->type() == QEvent::Hide)
            steps.push_back(enabled ? "hide/main-enabled" : "hide/main-disabled");
        return false;
    }
};

} // namespace uitest
