#pragma once

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QStringList>

#include <string_view>

class QComboBox;
class QLabel;
class QWidget;

// Layout helpers shared by all windows. Positions are designed in twips
// (15 to a pixel at the usual 96 dpi) and converted here.
namespace ui {

// The program's fixed texts are ASCII.
inline QString text(std::string_view ascii)
{
    return QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size()));
}

// The name of note index n, "C" .. "B".
QString noteName(int n);

constexpr int px(int twips) { return (twips * 2 + 15) / 30; }

inline QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// The dialog face: MS Sans Serif where present, else a close sans serif.
QFont dialogFont(double points, bool bold = true);
// The small face of the fretboard's note and degree labels (Arial 6.75 pt).
QFont smallFont();

QLabel *addLabel(QWidget *parent, const QString &text, const QRect &geometry, const QFont &font,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

// Makes a label one line and grows it to its text (or to `widest`, the
// longest text it will show), keeping its left and top, so that no
// character is clipped.
void fitLabelToText(QLabel *label, const QString &widest = QString());

// A push button that is never a window's default: it acts when clicked, or
// when it has the focus and Space, Enter or Return is pressed.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

CommandButton *addButton(QWidget *parent, const QString &text, const QRect &geometry);

QComboBox *addList(QWidget *parent, const QRect &geometry, const QFont &font);

// Whether a control's text (every item, for a list) fits its fixed size.
bool textFits(const QWidget *control);

// Where the face that stands in for the designed one runs wider, steps a
// control's font down a pixel at a time until its text fits.
void fitText(QWidget *control);

// fitText for every text control of a window, except those inside `except`.
void fitAllText(QWidget *window, const QWidget *except = nullptr);

// A shipped picture at the screen's density (name@2x.png on dense screens).
QPixmap picture(const QString &name);
QIcon pictureIcon(const QString &name);

// Appends items to a pick-only list without raising its change signal;
// the list is left with no selection, as an empty list would have.
void fillList(QComboBox *list, const QStringList &items);

} // namespace ui
