// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the window tests: wait for a window, find controls as a user
// does, read the board back from the screen, and an oracle for the
// board written from the rule itself rather than from the program's
// functions.

#include "app/forms.h"
#include "app/fretsight.h"
#include "dialogs/tuning.h"
#include "music/scales.h"
#include "widgets/fretboardview.h"

#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QSet>
#include <QTest>

#include <string>

namespace uitest {

// Activation comes as an event, a moment after the window is shown, and
// the first picture with the first exposure.
inline void waitUntilActive(QWidget *window)
{
    if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == window && window->windowHandle()->isExposed(); },
                         2000))
        qWarning("%s did not become active", qPrintable(window->windowTitle()));
}

// Clicks a button that opens or closes a window, and waits for the window
// that becomes active then.
inline void clickAndWait(QAbstractButton *button, QWidget *active)
{
    QTest::mouseClick(button, Qt::LeftButton);
    waitUntilActive(active);
}

// A control as a user finds it in a window: a button or box by its
// caption, a list by the label that leads to it, shown ("Key:") or told to
// a screen reader ("String 6 open note"). Null if the window has none.
template <typename T = QWidget>
inline T *control(QWidget *window, const QString &name)
{
    for (const QLabel *label : window->findChildren<QLabel *>())
        if (label->buddy() && (label->text() == name || label->accessibleName() == name))
            return qobject_cast<T *>(label->buddy());
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        if (button->text() == name)
            return qobject_cast<T *>(button);
    return nullptr;
}

// A widget as the X server shows it now: what a user sees, with no repaint
// forced, so a change that was never repainted shows the old picture.
inline QImage onScreen(QWidget *w)
{
    const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
    return w->screen()->grabWindow(w->window()->winId(), at.x(), at.y(), w->width(), w->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The board as the screen shows it, string by string, each row ended by
// "|": per fret, the point's degree label, or "." where no point shows, and
// "r" after a red point; "?" where the colours and the label disagree. A
// point is a circle where its string's open note, left of the board, and
// its fret's number, under it, line up.
inline QString boardOnScreen(FretSight &main)
{
    const QImage board = onScreen(main.Picture1);
    QString rows;
    for (int s = 1; s <= 6; ++s, rows += '|') {
        for (int f = 0; f < 13; ++f) {
            const QPoint centre = main.Picture1->mapFrom(
                &main, QPoint(main.Label4[f]->geometry().center().x(), main.Label3[s]->geometry().center().y()));
            QSet<QRgb> fills; // red, yellow or both
            int filled = 0;
            QPoint offsets; // summed over the circle's pixels: centred, they cancel out
            for (int i = 0; i < 21 * 11; ++i) {
                const QPoint offset(i % 21 - 10, i / 21 - 5);
                if (const QRgb pixel = board.pixel(centre + offset); pixel == qRgb(255, 0, 0) || pixel == qRgb(255, 255, 0))
                    fills << pixel, ++filled, offsets += offset;
            }
            const QString text = main.Degree[s][f]->text();
            const bool centred = std::max(std::abs(offsets.x()), std::abs(offsets.y())) <= 3 * filled;
            if (fills.isEmpty())
                rows += text.isEmpty() ? "." : "?";
            else
                rows += text.isEmpty() || fills.size() > 1 || !centred ? "?" : text + (fills.contains(qRgb(255, 0, 0)) ? "r" : "");
        }
    }
    return rows;
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

// What boardOnScreen() must read.
inline QString expectedBoard(const std::string &pattern, int key, const music::Tuning &open)
{
    QString rows;
    for (int s = 1; s <= 6; ++s, rows += '|') {
        for (int f = 0; f < 13; ++f) {
            const int note = open[s - 1] + f, degree = degreeOf(pattern, key, note);
            rows += degree ? QString::number(degree) + (note % 12 == key ? "r" : "") : ".";
        }
    }
    return rows;
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
