#include "ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "music/notes.h"

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

void fitLabelToText(QLabel *label, const QString &widest)
{
    label->setWordWrap(false);
    const QFontMetrics metrics(label->font());
    const int width =
        std::max(metrics.horizontalAdvance(label->text()), metrics.horizontalAdvance(widest)) + 1;
    label->resize(std::max(width, label->width()), std::max(metrics.height(), label->height()));
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

bool textFits(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        if (label->text().isEmpty())
            return true;
        if (label->wordWrap()) {
            // One line that fits needs no full layout of the paragraph.
            const QFontMetrics metrics(label->font());
            if (metrics.horizontalAdvance(label->text()) <= label->width())
                return metrics.height() <= label->height();
            return label->heightForWidth(label->width()) <= label->height();
        }
        return label->sizeHint().width() <= label->width() &&
               QFontMetrics(label->font()).height() <= label->height();
    }
    if (const auto *list = qobject_cast<const QComboBox *>(control))
        return list->sizeHint().width() <= list->width();
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        // A caption needs a little air either side inside the button's frame.
        const QFontMetrics metrics(button->font());
        return metrics.horizontalAdvance(button->text()) + 8 <= button->width() &&
               metrics.height() + 4 <= button->height();
    }
    if (const auto *box = qobject_cast<const QAbstractButton *>(control))
        return box->sizeHint().width() <= box->width() && box->sizeHint().height() <= box->height();
    return true;
}

void fitText(QWidget *control)
{
    QFont font = control->font();
    while (!textFits(control) && font.pixelSize() > 8) {
        font.setPixelSize(font.pixelSize() - 1);
        control->setFont(font);
    }
}

QString noteName(int n)
{
    return text(music::NoteNames[n]);
}

void fitAllText(QWidget *window, const QWidget *except)
{
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (except && except->isAncestorOf(control))
            continue;
        if (qobject_cast<QLabel *>(control) || qobject_cast<QComboBox *>(control) ||
            qobject_cast<QAbstractButton *>(control))
            fitText(control);
    }
}

QPixmap picture(const QString &name)
{
    const bool dense = qApp->devicePixelRatio() > 1.0;
    QPixmap pixmap(QStringLiteral(":/fretsight/%1%2.png").arg(name, dense ? "@2x" : ""));
    pixmap.setDevicePixelRatio(dense ? 2.0 : 1.0);
    return pixmap;
}

QIcon pictureIcon(const QString &name)
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/fretsight/%1.png").arg(name));
    icon.addFile(QStringLiteral(":/fretsight/%1@2x.png").arg(name));
    return icon;
}

void fillList(QComboBox *list, const QStringList &items)
{
    const QSignalBlocker blocker(list);
    list->addItems(items);
    list->setCurrentIndex(-1);
}

} // namespace ui
