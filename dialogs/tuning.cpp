#include "tuning.h"

#include "app/ui.h"
#include "music/tunings.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

using ui::twips;

namespace {

int stringTop(int s, int base) { return base + 480 * (s - 1); }


} // namespace

Tuning::Tuning() : DialogWindow(QStringLiteral("Tuning of Strings"), 5220, 3195)
{
    const QFont textFont = ui::dialogFont(8.25);

    Label1[0] = ui::addLabel(this, QStringLiteral("Select Tuning"), twips(120, 120, 1695, 255), textFont);
    Combo1 = ui::addList(this, twips(120, 480, 2895, 360), ui::dialogFont(9.75));
    Label1[1] = ui::addLabel(this, QStringLiteral("Choose from a list of common guitar string tunings. "),
                             twips(120, 1080, 2775, 495), textFont);
    Label1[2] = ui::addLabel(
        this,
        QStringLiteral("Alternatively, you may use a custom tuning by editing each open string note."),
        twips(120, 1680, 2775, 735), textFont);

    for (int s = 1; s <= 6; ++s) {
        auto *line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        line->setLineWidth(1);
        const int y = ui::px(stringTop(s, 360));
        line->setGeometry(ui::px(3240), y, ui::px(4200) - ui::px(3240), 1);
        Line1[s] = line;

        Combo2[s] = ui::addList(this, twips(4320, stringTop(s, 240), 735, 315), textFont);
    }
    Command1 = ui::addButton(this, QStringLiteral("OK"), twips(120, 2520, 975, 375));

    Combo1->setAccessibleName(QStringLiteral("Tuning preset"));
    for (int s = 1; s <= 6; ++s)
        Combo2[s]->setAccessibleName(QStringLiteral("String %1 open note").arg(s));

    QWidget::setTabOrder(Combo1, Combo2[1]);
    for (int s = 1; s < 6; ++s)
        QWidget::setTabOrder(Combo2[s], Combo2[s + 1]);
    QWidget::setTabOrder(Combo2[6], Command1);

    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { combo1Click(); });
    for (int s = 1; s <= 6; ++s)
        connect(Combo2[s], &QComboBox::currentIndexChanged, this, [this, s] { combo2Click(s); });
    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });

    formLoad();
    ui::fitAllText(this);
}

void Tuning::formLoad()
{
    QStringList notes;
    for (int n = 0; n < music::NoteCount; ++n)
        notes << ui::noteName(n);
    for (int s = 1; s <= 6; ++s)
        ui::fillList(Combo2[s], notes);

    QStringList presets;
    for (const music::TuningPreset &preset : music::TuningPresets)
        presets << ui::text(preset.name);
    ui::fillList(Combo1, presets);

    Combo1->setCurrentIndex(0); // applies "Standard"
    const music::Tuning &standard = music::TuningPresets[0].notes;
    for (int s = 1; s <= 6; ++s)
        Combo2[s]->setCurrentIndex(standard[s - 1]);
}

// Applies the chosen preset, writing string 6 first and string 1 last. Each
// write that changes a list re-runs the recognition, nested inside this.
void Tuning::combo1Click()
{
    const int p = Combo1->currentIndex();
    if (music::presetHasNotes(p)) {
        const music::Tuning notes = music::TuningPresets[p].notes;
        for (int s = 6; s >= 1; --s)
            Combo2[s]->setCurrentIndex(notes[s - 1]);
    }
    if (isVisible())
        focusOk();
}

// Shows the preset that the six notes now equal, or "Custom Tuning". A
// preset is only selected when it equals the current notes, so the nested
// application writes nothing new and the two handlers come to rest at once.
void Tuning::combo2Click(int)
{
    if (!isVisible())
        return;
    music::Tuning open{};
    for (int s = 1; s <= 6; ++s)
        open[s - 1] = Combo2[s]->currentIndex();
    Combo1->setCurrentIndex(music::lookupPreset(open));
    focusOk();
}

void Tuning::command1Click()
{
    returnToMain();
}

void Tuning::closeRequested()
{
    command1Click();
}

void Tuning::formActivate()
{
    if (isVisible())
        focusOk();
}

void Tuning::focusOk()
{
    Command1->setFocus(Qt::OtherFocusReason);
}
