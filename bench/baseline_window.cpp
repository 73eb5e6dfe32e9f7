// SPDX-License-Identifier: GPL-3.0-or-later
// The floor that FretSight's start-up is measured against: a Qt window of
// the main window's size, centred as it is, showing one line of text (red,
// so that the benchmark can see it arrive on the screen).
#include <QApplication>
#include <QLabel>
#include <QScreen>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.setFixedSize(674, 422);
    auto *label = new QLabel(QStringLiteral("FretSight"), &window);
    QFont font = label->font();
    font.setPixelSize(40);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    label->move(24, 24);
    window.move(QGuiApplication::primaryScreen()->availableGeometry().center() -
                QPoint(window.width() / 2, window.height() / 2));
    window.show();
    return QApplication::exec();
}
