// SPDX-License-Identifier: GPL-3.0-or-later
#include "about.h"

#include "widgets/commandbutton.h"
#include "widgets/ui.h"

#include <QLabel>

namespace {

using ui::Face;
using ui::twips;

// The window's layout in twips: left, top, width, height. Every text is
// centred in its label.
namespace layout {
constexpr QSize Client(3555, 5820);
constexpr QRect Image1 = twips(1560, 120, 480, 480);
constexpr ui::TextControl Label1{"FretSight", twips(120, 720, 3255, 255), Face::Bold};
constexpr ui::TextControl Label2[5] = {
    {"Version 1.0", twips(120, 1200, 3255, 255), Face::Regular},
    {"Guitar scales on the fretboard", twips(120, 1560, 3255, 255), Face::Regular},
    {"Free software under the GNU General Public License, version 3 or later. It comes with no "
     "warranty of any kind.",
     twips(120, 2160, 3255, 1095), Face::Regular},
    {"If you have any comments, suggestions or feedback relating to this program, write to:",
     twips(120, 3360, 3255, 495), Face::Regular},
    {"Any comments would be appreciated.", twips(120, 4320, 3255, 255), Face::Regular},
};
constexpr ui::TextControl Label3[2] = {
    {"feedback@fretsight.org", twips(120, 3960, 3375, 255), Face::Bold},
    {"Thank you for using FretSight.", twips(120, 4800, 3375, 255), Face::Bold},
};
constexpr ui::TextControl Command1{"OK", twips(1320, 5280, 975, 375), Face::Bold};
} // namespace layout

} // namespace

About::About() : FormDialog(QStringLiteral("About"), layout::Client.width(), layout::Client.height())
{
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;

    Image1 = new QLabel(this);
    Image1->setPixmap(ui::picture(QStringLiteral("guitar")));
    Image1->setGeometry(layout::Image1);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setAccessibleName(QStringLiteral("FretSight icon: an electric guitar"));

    Label1 = ui::addLabel(this, layout::Label1, centred);
    for (int i = 0; i < 3; ++i)
        Label2[i] = ui::addLabel(this, layout::Label2[i], centred);
    Label2[3] = ui::addLabel(this, layout::Label2[3], centred);
    Label3[0] = ui::addLabel(this, layout::Label3[0], centred);
    Label2[4] = ui::addLabel(this, layout::Label2[4], centred);
    Label3[1] = ui::addLabel(this, layout::Label3[1], centred);
    Command1 = ui::addButton(this, layout::Command1);
    // Screen readers read a dialog's longer texts as it opens, but leave out
    // its short ones, which here are what the box is for: OK, where the
    // focus goes, tells them.
    Command1->setAccessibleDescription(QStringLiteral("%1, %2. Write to %3")
                                           .arg(Label1->text(), Label2[0]->text(), Label3[0]->text()));

    connect(Command1, &QPushButton::clicked, this, &About::command1Click);
}

void About::command1Click()
{
    returnToOpener();
}

QAbstractButton *About::closingButton() const
{
    return Command1;
}
