// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QStringList>

#include <string_view>

class QComboBox;
class QLabel;
class QWidget;
class CommandButton;

// Layout helpers shared by all windows. Positions are designed in twips
// (15 to a pixel at the usual 96 dpi) and converted here.
namespace ui {

// The program's fixed texts are ASCII.
inline QString text(std::string_view ascii)
{
    return QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size()));
}

// A shown text as a screen reader should speak it ("F#" as "F sharp").
QString spoken(const QString &shown);

// The name of note index n, "C" .. "B".
QString noteName(int n);
// The twelve note names in note-index order.
QStringList noteNames();

constexpr int px(int twips) { return (twips * 2 + 15) / 30; }

constexpr QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// The faces a window's table can name for a control.
enum class Face {
    Bold,    // the dialog face, MS Sans Serif 8.25 pt bold
    Regular, // the same, regular
    List,    // the lists' face, MS Sans Serif 9.75 pt bold
    Small,   // the fretboard's small face, Arial 6.75 pt
};
QFont font(Face face);

// One row of a window's layout table: a text control, its text, its
// rectangle in twips and its face.
struct TextControl {
    const char *text;
    QRect rect; // twips(), already in pixels
    Face face;
};

QLabel *addLabel(QWidget *parent, const TextControl &control,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);
CommandButton *addButton(QWidget *parent, const TextControl &control);
QComboBox *addList(QWidget *parent, const QRect &geometry, Face face);

// Makes a label one line and grows it to its text (or to `widest`, the
// longest text it will show), keeping its left and top, so that no
// character is clipped.
void fitLabelToText(QLabel *label, const QString &widest = QString());

// Whether a control's text (every item, for a list) fits its fixed size.
bool textFits(const QWidget *control);

// Where the face that stands in for the designed one runs wider, steps the
// font of every text control of a window down a pixel at a time until its
// text fits.
void fitAllText(QWidget *window);

// A shipped picture at the screen's density (name@2x.png on dense screens).
QPixmap picture(const QString &name);
QIcon pictureIcon(const QString &name);

// Appends items to a pick-only list without raising its change signal;
// the list is left with no selection, as an empty list would have. Each
// item gives screen readers its spoken form.
void fillList(QComboBox *list, const QStringList &items);

} // namespace ui
