#include "clip.h"

#include "app/fretsight.h"
#include "app/forms.h"
#include "app/ui.h"
#include "dialogs/tuning.h"
#include "export/diagramtext.h"
#include "music/scales.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

using ui::twips;

namespace {

constexpr std::array<int, 3> ColumnLefts = {240, 1200, 2160};
constexpr std::array<int, 4> RowTops = {1800, 2160, 2520, 2880};

std::string text(const QString &s) { return s.toStdString(); }

} // namespace

Clip::Clip() : DialogWindow(QStringLiteral("Copy Scales to Clipboard"), 5535, 4305)
{
    const QFont font = ui::dialogFont(8.25);

    Label1 = ui::addLabel(this,
                          QStringLiteral("The currently selected scale type (using the current string "
                                         "tunings) are copied to the clipboard. The clipboard contents "
                                         "can then be pasted into your favourite word processor, and "
                                         "then printed. "),
                          twips(240, 240, 5055, 855), font);
    Label2[0] = ui::addLabel(
        this, QStringLiteral("Simply choose which scale key(s) you want to copy into the clipboard:"),
        twips(240, 1200, 5055, 375), font);

    for (int k = 0; k < 12; ++k) {
        auto *box = new QCheckBox(ui::noteName(k), this);
        box->setFont(font);
        box->setGeometry(twips(ColumnLefts[k / 4], RowTops[k % 4], 975, 255));
        box->setChecked(true);
        box->setAccessibleName(QStringLiteral("Key %1").arg(box->text()));
        Check1[k] = box;
    }
    Command1 = ui::addButton(this, QStringLiteral("Copy to Clipboard"), twips(3360, 2040, 1935, 375));
    Command2 = ui::addButton(this, QStringLiteral("Cancel"), twips(3360, 2640, 1935, 375));
    Label2[1] = ui::addLabel(this,
                             QStringLiteral("When pasting the clipboard contents into the word processor, "
                                            "ensure an equal space font is used (eg. Courier New), as the "
                                            "diagrams are in ascii text format."),
                             twips(240, 3480, 5055, 735), font);

    for (int k = 0; k < 11; ++k)
        QWidget::setTabOrder(Check1[k], Check1[k + 1]);
    QWidget::setTabOrder(Check1[11], Command1);
    QWidget::setTabOrder(Command1, Command2);

    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { command2Click(); });
    ui::fitAllText(this);
}

std::string Clip::BuildDiagramText() const
{
    const FretSight &main = forms::fretSight();
    const Tuning &tuning = forms::tuning();

    exporter::DiagramInput in;
    const int t = main.Combo2->currentIndex();
    in.scaleName = text(main.Combo2->itemText(t));
    in.pattern = Module1::ScalePatterns[t];
    for (int s = 1; s <= 6; ++s)
        in.open[s - 1] = tuning.Combo2[s]->currentIndex();
    in.tuningName = text(tuning.Combo1->currentText());
    for (int n = 0; n < 12; ++n) {
        in.noteNames[n] = text(main.Combo1->itemText(n));
        in.chosen[n] = Check1[n]->checkState() == Qt::Checked;
        in.keyCaptions[n] = text(Check1[n]->text());
    }
    return exporter::buildDiagramText(in);
}

void Clip::command1Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const std::string diagrams = BuildDiagramText();
    clipboard->setText(ui::text(diagrams));
    returnToMain();
}

void Clip::command2Click()
{
    returnToMain();
}

void Clip::closeRequested()
{
    command2Click();
}
