#include "about.h"

#include "app/ui.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

using ui::twips;

About::About() : DialogWindow(QStringLiteral("About"), 3555, 5820)
{
    const QFont bold = ui::dialogFont(8.25, true);
    const QFont regular = ui::dialogFont(8.25, false);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;

    Image1 = new QLabel(this);
    Image1->setPixmap(ui::picture(QStringLiteral("guitar")));
    Image1->setGeometry(twips(1560, 120, 480, 480));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setAccessibleName(QStringLiteral("FretSight icon: an electric guitar"));

    Label1 = ui::addLabel(this, QStringLiteral("FretSight"), twips(120, 720, 3255, 255), bold, centred);
    Label2[0] = ui::addLabel(this, QStringLiteral("Version 1.0"), twips(120, 1200, 3255, 255), regular,
                             centred);
    Label2[1] = ui::addLabel(this, QStringLiteral("Guitar scales on the fretboard"),
                             twips(120, 1560, 3255, 255), regular, centred);
    Label2[2] = ui::addLabel(this,
                             QStringLiteral("This program is free to use and to share. It comes with "
                                            "no warranty of any kind."),
                             twips(120, 2160, 3255, 1095), regular, centred);
    Label2[3] = ui::addLabel(this,
                             QStringLiteral("If you have any comments, suggestions or feedback relating "
                                            "to this program, write to:"),
                             twips(120, 3360, 3255, 495), regular, centred);
    Label3[0] = ui::addLabel(this, QStringLiteral("feedback@fretsight.org"), twips(120, 3960, 3375, 255),
                             bold, centred);
    Label2[4] = ui::addLabel(this, QStringLiteral("Any comments would be appreciated."),
                             twips(120, 4320, 3255, 255), regular, centred);
    Label3[1] = ui::addLabel(this, QStringLiteral("Thank you for using FretSight."),
                             twips(120, 4800, 3375, 255), bold, centred);
    Command1 = ui::addButton(this, QStringLiteral("OK"), twips(1320, 5280, 975, 375));

    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });
    ui::fitAllText(this);
}

void About::command1Click()
{
    returnToMain();
}

void About::closeRequested()
{
    command1Click();
}
