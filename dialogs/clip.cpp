// SPDX-License-Identifier: GPL-3.0-or-later
#include "clip.h"

#include "desktop/clipboardhandover.h"
#include "dialogs/scalelists.h"
#include "dialogs/tuning.h"
#include "export/diagramhtml.h"
#include "export/diagramrtf.h"
#include "export/diagramtext.h"
#include "music/scales.h"
#include "widgets/commandbutton.h"
#include "widgets/ui.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>

namespace {

using ui::Face;
using ui::twips;

// The window's layout in twips: left, top, width, height.
namespace layout {
constexpr QSize Client(5535, 4305);
constexpr ui::TextControl Label1{
    "The currently selected scale type (using the current string tunings) are copied to the "
    "clipboard. The clipboard contents can then be pasted into your favourite word processor, "
    "and then printed. ",
    twips(240, 240, 5055, 855), Face::Bold};
constexpr ui::TextControl Label2[2] = {
    {"Simply choose which scale key(s) you want to copy into the clipboard:",
     twips(240, 1200, 5055, 375), Face::Bold},
    {"When pasting the clipboard contents into the word processor, ensure an equal space font is "
     "used (eg. Courier New), as the diagrams are in ascii text format.",
     twips(240, 3480, 5055, 735), Face::Bold},
};
// Key boxes (Check1, by note index), 975 x 255, in three columns of four
// filled column by column.
constexpr int CheckLefts[3] = {240, 1200, 2160};
constexpr int CheckTops[4] = {1800, 2160, 2520, 2880};
constexpr int CheckWidth = 975, CheckHeight = 255;
constexpr ui::TextControl Command1{"Copy to Clipboard", twips(3360, 2040, 1935, 375), Face::Bold};
constexpr ui::TextControl Command2{"Cancel", twips(3360, 2640, 1935, 375), Face::Bold};
} // namespace layout

// The windows' texts are ASCII, in and out.
std::string ascii(const QString &s) { return s.toLatin1().toStdString(); }

} // namespace

Clip::Clip(const ScaleLists &lists, const Tuning &tuning)
    : FormDialog(QStringLiteral("Copy Scales to Clipboard"), layout::Client.width(),
                 layout::Client.height())
    , m_lists(lists), m_tuning(tuning)
{
    using namespace layout;
    Label1 = ui::addLabel(this, layout::Label1);
    Label2[0] = ui::addLabel(this, layout::Label2[0]);
    for (int k = 0; k < music::NoteCount; ++k) {
        auto *box = new QCheckBox(ui::noteName(k), this);
        box->setFont(ui::font(Face::Bold));
        box->setGeometry(twips(CheckLefts[k / 4], CheckTops[k % 4], CheckWidth, CheckHeight));
        box->setChecked(true);
        box->setAccessibleName(ui::spoken(QStringLiteral("Key %1").arg(box->text())));
        Check1[k] = box;
    }
    Command1 = ui::addButton(this, layout::Command1);
    Command2 = ui::addButton(this, layout::Command2);
    Label2[1] = ui::addLabel(this, layout::Label2[1]);

    for (int k = 0; k + 1 < music::NoteCount; ++k)
        QWidget::setTabOrder(Check1[k], Check1[k + 1]);
    QWidget::setTabOrder(Check1[music::NoteCount - 1], Command1);
    QWidget::setTabOrder(Command1, Command2);

    connect(Command1, &QPushButton::clicked, this, &Clip::command1Click);
    connect(Command2, &QPushButton::clicked, this, &Clip::command2Click);
}

std::string Clip::BuildDiagramText() const
{
    const QComboBox *scales = m_lists.scaleList();
    const Tuning &tuning = m_tuning;

    exporter::DiagramInput in;
    const int t = scales->currentIndex();
    in.scaleName = ascii(scales->itemText(t));
    in.pattern = Module1::ScalePatterns[t];
    in.open = tuning.openNotes();
    in.tuningName = ascii(tuning.Combo1->currentText());
    for (int n = 0; n < music::NoteCount; ++n) {
        in.noteNames[n] = ascii(m_lists.keyList()->itemText(n));
        in.chosen[n] = Check1[n]->checkState() == Qt::Checked;
        in.keyCaptions[n] = ascii(Check1[n]->text());
    }
    return exporter::buildDiagramText(in);
}

void Clip::command1Click()
{
    if (m_copying)
        return;
    const std::string diagrams = BuildDiagramText();
    // Plain text exactly as built, for every plain-text target; the same
    // lines as RTF and HTML for word processors, which ignore bare carriage
    // returns, and which keep each key's block on one printed page.
    auto *mime = new QMimeData;
    mime->setText(ui::text(diagrams));
    mime->setHtml(ui::text(exporter::diagramHtml(diagrams)));
    const QByteArray rtf = QByteArray::fromStdString(exporter::diagramRtf(diagrams));
    mime->setData(QStringLiteral("text/rtf"), rtf);
    mime->setData(QStringLiteral("text/richtext"), rtf);
    // One replacement of the clipboard's content: clearing it first would
    // leave a moment without an owner, in which a clipboard manager puts
    // back its last entry.
    QGuiApplication::clipboard()->setMimeData(mime);
    m_copying = true;
    ui::afterClipboardTaken(this, [this] {
        if (m_copying) {
            m_copying = false;
            returnToOpener();
        }
    });
}

void Clip::command2Click()
{
    m_copying = false;
    returnToOpener();
}

QAbstractButton *Clip::closingButton() const
{
    return Command2;
}
