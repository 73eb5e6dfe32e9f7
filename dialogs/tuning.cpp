// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuning.h"

#include "music/tunings.h"
#include "widgets/commandbutton.h"
#include "widgets/ui.h"

#include <QAccessible>
#include <QComboBox>
#include <QFrame>
#include <QLabel>

#include <utility>

namespace {

using ui::Face;
using ui::twips;

// The window's layout in twips: left, top, width, height.
namespace layout {
constexpr QSize Client(5220, 3195);
constexpr QRect Combo1 = twips(120, 480, 2895, 360); // Face::List
constexpr ui::TextControl Label1[3] = {
    {"Select Tuning", twips(120, 120, 1695, 255), Face::Bold},
    {"Choose from a list of common guitar string tunings. ", twips(120, 1080, 2775, 495), Face::Bold},
    {"Alternatively, you may use a custom tuning by editing each open string note.",
     twips(120, 1680, 2775, 735), Face::Bold},
};
constexpr ui::TextControl Command1{"OK", twips(120, 2520, 975, 375), Face::Bold};
// Per string s = 1..6, 480 twips apart: a line from x = 3240 to 4200 at
// y = 360 + 480 (s - 1), leading to the list at 4320, 240 + 480 (s - 1),
// 735 x 315.
constexpr int StringPitch = 480;
constexpr int LineLeft = 3240, LineRight = 4200, LineTop = 360;
constexpr int ListLeft = 4320, ListTop = 240, ListWidth = 735, ListHeight = 315; // Face::Bold
} // namespace layout

} // namespace

Tuning::Tuning()
    : FormDialog(QStringLiteral("Tuning of Strings"), layout::Client.width(), layout::Client.height())
{
    Label1[0] = ui::addLabel(this, layout::Label1[0]);
    Combo1 = ui::addList(this, layout::Combo1, Face::List);
    Label1[1] = ui::addLabel(this, layout::Label1[1]);
    Label1[2] = ui::addLabel(this, layout::Label1[2]);
    Label1[0]->setBuddy(Combo1);

    using namespace layout;
    for (int s = 1; s <= music::StringCount; ++s) {
        const int dy = StringPitch * (s - 1);
        // The string's line leads to its list and names it to a screen reader.
        auto *line = new QLabel(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        line->setLineWidth(1);
        line->setGeometry(ui::px(LineLeft), ui::px(LineTop + dy), ui::px(LineRight) - ui::px(LineLeft), 1);
        Line1[s] = line;
        Combo2[s] = ui::addList(this, twips(ListLeft, ListTop + dy, ListWidth, ListHeight), Face::Bold);
        line->setAccessibleName(QStringLiteral("String %1 open note").arg(s));
        line->setBuddy(Combo2[s]);
    }
    Command1 = ui::addButton(this, layout::Command1);

    QWidget::setTabOrder(Combo1, Combo2[1]);
    for (int s = 1; s < music::StringCount; ++s)
        QWidget::setTabOrder(Combo2[s], Combo2[s + 1]);
    QWidget::setTabOrder(Combo2[music::StringCount], Command1);

    connect(Combo1, &QComboBox::currentIndexChanged, this, &Tuning::combo1Click);
    for (int s = 1; s <= music::StringCount; ++s)
        connect(Combo2[s], &QComboBox::currentIndexChanged, this, [this, s] { combo2Click(s); });
    connect(Command1, &QPushButton::clicked, this, &Tuning::command1Click);

    formLoad();
}

void Tuning::formLoad()
{
    const QStringList notes = ui::noteNames();
    for (int s = 1; s <= music::StringCount; ++s)
        ui::fillList(Combo2[s], notes);

    QStringList presets;
    for (const music::TuningPreset &preset : music::TuningPresets)
        presets << ui::text(preset.name);
    ui::fillList(Combo1, presets);

    Combo1->setCurrentIndex(0); // applies "Standard"
    const music::Tuning &standard = music::TuningPresets[0].notes;
    for (int s = 1; s <= music::StringCount; ++s)
        Combo2[s]->setCurrentIndex(standard[s - 1]);
}

// Applies the chosen preset, writing string 6 first and string 1 last. Each
// write that changes a list re-runs the recognition, nested inside this.
void Tuning::combo1Click()
{
    const int p = Combo1->currentIndex();
    if (music::presetHasNotes(p)) {
        const music::Tuning notes = music::TuningPresets[p].notes;
        for (int s = music::StringCount; s >= 1; --s)
            Combo2[s]->setCurrentIndex(notes[s - 1]);
    }
    if (isVisible()) {
        QStringList notes;
        for (int s = music::StringCount; s >= 1; --s)
            notes << Combo2[s]->currentText();
        tellChange(QStringLiteral("%1: %2").arg(Combo1->currentText(), notes.join(QLatin1Char(' '))));
    }
}

// Shows the preset that the six notes now equal, or "Custom Tuning". A
// preset is only selected when it equals the current notes, so the nested
// application writes nothing new and the two handlers come to rest at once.
void Tuning::combo2Click(int s)
{
    if (!isVisible())
        return;
    Combo1->setCurrentIndex(music::lookupPreset(openNotes()));
    tellChange(QStringLiteral("String %1: %2; %3").arg(s).arg(Combo2[s]->currentText(), Combo1->currentText()));
}

music::Tuning Tuning::openNotes() const
{
    music::Tuning open{};
    for (int s = 1; s <= music::StringCount; ++s)
        open[s - 1] = Combo2[s]->currentIndex();
    return open;
}

void Tuning::command1Click()
{
    returnToOpener();
}

QAbstractButton *Tuning::closingButton() const
{
    return Command1;
}

void Tuning::formActivate()
{
    if (isVisible()) {
        Command1->setAccessibleDescription(QString());
        focusOk();
    }
}

// The focus goes back to OK after every change, and a screen reader is told
// what changed and what OK now applies. With Qt 6.8 that is an announcement,
// once for the outermost change, after the focus: Orca 48 reuses what it read
// of a control's description for up to two seconds, so a description told a
// quick user nothing or the change before. Before 6.8 OK's description says
// it, which Orca 43 speaks with OK.
void Tuning::tellChange(const QString &change)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    const bool told = !m_change.isEmpty();
    m_change = ui::spoken(change);
    focusOk();
    if (!told) {
        QMetaObject::invokeMethod(this, [this] {
            QAccessibleAnnouncementEvent announcement(Command1, std::exchange(m_change, QString()));
            QAccessible::updateAccessibility(&announcement);
        }, Qt::QueuedConnection);
    }
#else
    Command1->setAccessibleDescription(ui::spoken(change));
    focusOk();
#endif
}

void Tuning::focusOk()
{
    Command1->setFocus(Qt::OtherFocusReason);
}
