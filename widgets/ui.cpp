// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui.h"


#include "music/notes.h"
#include "widgets/commandbutton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImageReader>
#include <QLabel>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace ui {

QString spoken(const QString &shown)
{
    return text(music::spokenText(shown.toStdString()));
}

QString noteName(int n)
{
    return text(music::NoteNames[n]);
}

QStringList noteNames()
{
    QStringList names;
    for (int n = 0; n < music::NoteCount; ++n)
        names << noteName(n);
    return names;
}

namespace {

// The first of the families that is installed. Naming only that one spares
// the font system a costly search for stand-ins for each missing family.
QString installedFamily(const QStringList &families)
{
    // Looked up in the list of installed families: asking the font database
    // about each name would make it resolve aliases through fontconfig.
    static const QStringList installed = QFontDatabase::families();
    for (const QString &family : families) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return families.last();
}

} // namespace

QFont font(Face face)
{
    // The designed faces are Windows fonts; Liberation Sans has Arial's
    // metrics. Sizes are fixed at the usual 96 dpi, in pixels, so that the
    // twips layout holds whatever the screen's dpi setting says.
    static const QString dialogFace = installedFamily(
        {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"});
    static const QString smallFace = installedFamily({"Arial", "Liberation Sans", "DejaVu Sans"});
    const double points = face == Face::List ? 9.75 : face == Face::Small ? 6.75 : 8.25;
    QFont f(face == Face::Small ? smallFace : dialogFace);
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    f.setBold(face == Face::Bold || face == Face::List);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QLabel *addLabel(QWidget *parent, const TextControl &control, Qt::Alignment alignment)
{
    auto *label = new QLabel(QString::fromLatin1(control.text), parent);
    label->setFont(font(control.face));
    label->setGeometry(control.rect);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    label->setMargin(0);
    label->setIndent(0);
    return label;
}

CommandButton *addButton(QWidget *parent, const TextControl &control)
{
    auto *button = new CommandButton(QString::fromLatin1(control.text), parent);
    button->setFont(font(control.face));
    button->setGeometry(control.rect);
    return button;
}

QComboBox *addList(QWidget *parent, const QRect &geometry, Face face)
{
    auto *list = new QComboBox(parent);
    list->setEditable(false);
    // A list told its font makes its drop-down at once; one that inherits it
    // from its window makes it when first opened.
    if (parent->font() != font(face))
        list->setFont(font(face));
    list->setGeometry(geometry);
    list->setMaxVisibleItems(16);
    return list;
}

void fitLabelToText(QLabel *label, const QString &widest)
{
    label->setWordWrap(false);
    const QFontMetrics metrics(label->font());
    const int width =
        std::max(metrics.horizontalAdvance(label->text()), metrics.horizontalAdvance(widest)) + 1;
    label->resize(std::max(width, label->width()), std::max(metrics.height(), label->height()));
}

bool textFits(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        if (label->text().isEmpty())
            return true;
        const QFontMetrics metrics(label->font());
        if (label->wordWrap()) {
            // A short text that fits on one line needs no layout of a paragraph.
            if (label->text().size() < 80 && metrics.horizontalAdvance(label->text()) <= label->width())
                return metrics.height() <= label->height();
            return label->heightForWidth(label->width()) <= label->height();
        }
        return label->sizeHint().width() <= label->width() && metrics.height() <= label->height();
    }
    if (const auto *list = qobject_cast<const QComboBox *>(control))
        return list->sizeHint().width() <= list->width();
    if (const auto *button = qobject_cast<const CommandButton *>(control)) {
        // A caption needs a little air either side inside the button's frame.
        const QFontMetrics metrics(button->font());
        return metrics.horizontalAdvance(button->text()) + 8 <= button->width() &&
               metrics.height() + 4 <= button->height();
    }
    if (const auto *box = qobject_cast<const QAbstractButton *>(control))
        return box->sizeHint().width() <= box->width() && box->sizeHint().height() <= box->height();
    return true;
}

void fitAllText(QWidget *window)
{
    for (QWidget *control : window->findChildren<QWidget *>()) {
        QFont f = control->font();
        while (!textFits(control) && f.pixelSize() > 8) {
            f.setPixelSize(f.pixelSize() - 1);
            control->setFont(f);
        }
    }
}

namespace {

// A shipped PNG, read as one: telling the reader the format spares it
// asking every image plug-in whether it could read the file instead.
QPixmap shippedPng(const QString &name, bool dense)
{
    QImageReader reader(QStringLiteral(":/fretsight/%1%2.png").arg(name, dense ? "@2x" : ""), "png");
    reader.setAutoDetectImageFormat(false);
    QPixmap pixmap = QPixmap::fromImage(reader.read());
    pixmap.setDevicePixelRatio(dense ? 2.0 : 1.0);
    return pixmap;
}

} // namespace

QPixmap picture(const QString &name)
{
    return shippedPng(name, qApp->devicePixelRatio() > 1.0);
}

QIcon pictureIcon(const QString &name)
{
    QIcon icon(shippedPng(name, false));
    icon.addPixmap(shippedPng(name, true));
    return icon;
}

void fillList(QComboBox *list, const QStringList &items)
{
    const QSignalBlocker blocker(list);
    for (const QString &item : items) {
        list->addItem(item);
        list->setItemData(list->count() - 1, spoken(item), Qt::AccessibleTextRole);
    }
    list->setCurrentIndex(-1);
}

} // namespace ui
