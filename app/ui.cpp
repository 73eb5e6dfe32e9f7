#include "ui.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

QFont makeFont(const QStringList &families, double points, bool bold)
{
    QFont font;
    font.setFamilies(families);
    // Sizes are fixed at the usual 96 dpi, so text always fits its control.
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

QFont dialogFont(double points, bool bold)
{
    return makeFont({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial",
                     "DejaVu Sans"},
                    points, bold);
}

QFont smallFont()
{
    return makeFont({"Arial", "Liberation Sans", "DejaVu Sans"}, 6.75, false);
}

QLabel *addLabel(QWidget *parent, const QString &text, const QRect &geometry, const QFont &font,
                 Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    label->setMargin(0);
    label->setIndent(0);
    return label;
}

void fitLabelWidth(QLabel *label, const QString &widest)
{
    const QFontMetrics metrics(label->font());
    const int needed =
        std::max(metrics.horizontalAdvance(label->text()), metrics.horizontalAdvance(widest)) + 1;
    if (needed > label->width())
        label->resize(needed, label->height());
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

CommandButton *addButton(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *button = new CommandButton(text, parent);
    button->setFont(dialogFont(8.25));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QComboBox *addList(QWidget *parent, const QRect &geometry, const QFont &font)
{
    auto *list = new QComboBox(parent);
    list->setEditable(false);
    list->setFont(font);
    list->setGeometry(geometry);
    list->setMaxVisibleItems(16);
    return list;
}

void fillList(QComboBox *list, const QStringList &items)
{
    const QSignalBlocker blocker(list);
    list->addItems(items);
    list->setCurrentIndex(-1);
}

} // namespace ui
