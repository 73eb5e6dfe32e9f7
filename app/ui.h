#pragma once

#include <QFont>
#include <QPushButton>
#include <QRect>
#include <QStringList>

class QComboBox;
class QLabel;
class QWidget;

// Layout helpers shared by all windows. Positions are designed in twips
// (15 to a pixel at the usual 96 dpi) and converted here.
namespace ui {

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

// Widens a one-line label to its text (or to `widest`, the longest text it
// will show), keeping its left and top, so that no character is clipped.
void fitLabelWidth(QLabel *label, const QString &widest = QString());

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

// Appends items to a pick-only list without raising its change signal;
// the list is left with no selection, as an empty list would have.
void fillList(QComboBox *list, const QStringList &items);

} // namespace ui
