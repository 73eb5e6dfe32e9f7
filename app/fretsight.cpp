// SPDX-License-Identifier: GPL-3.0-or-later
#include "fretsight.h"

#include "dialogs/about.h"
#include "dialogs/clip.h"
#include "dialogs/tuning.h"
#include "music/scales.h"
#include "music/tunings.h"
#include "accessibility/accessibility.h"
#include "widgets/commandbutton.h"
#include "widgets/fretboardview.h"
#include "widgets/ui.h"
#include "desktop/windowplacement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

using ui::Face;
using ui::twips;

// The window's layout: text, rectangle (twips: left, top, width, height)
// and face of each control.
namespace layout {
constexpr QSize Client(10110, 6330);
constexpr ui::TextControl Label1{"Key:", twips(360, 120, 1455, 255), Face::Bold};
constexpr QRect Combo1 = twips(360, 480, 1095, 360); // Face::List
constexpr ui::TextControl Label2{"Scale Type:", twips(1680, 120, 3255, 255), Face::Bold};
constexpr QRect Combo2 = twips(1680, 480, 4095, 360); // Face::List
constexpr ui::TextControl Command1{"Tuning..", twips(6000, 480, 1215, 375), Face::Bold};
constexpr ui::TextControl Command3{"Copy..", twips(7440, 480, 1095, 375), Face::Bold};
constexpr ui::TextControl Command2{"About...", twips(8760, 480, 1095, 375), Face::Bold};
constexpr QRect Picture1 = twips(360, 1200, 9480, 1395);
constexpr ui::TextControl Label5{"Instructions:", twips(360, 3120, 1695, 255), Face::Bold};
constexpr ui::TextControl Label6[3] = {
    {"The above diagram represents a guitar fretboard, showing six strings and twelve frets "
     "(including the open strings). Choose the scale key and scale type in the two drop-down boxes "
     "at the top. The yellow points on the fretboard represent scale notes, while the red points "
     "represent the root notes of the scale. ",
     twips(360, 3480, 9495, 735), Face::Bold},
    {"Note the tuning of the guitar strings (as shown by the open notes to the left of the "
     "fretboard). The tuning of the strings can be changed by pressing the 'Tuning' button.",
     twips(360, 4320, 9495, 495), Face::Bold},
    {"The scales can be printed by clicking on the 'Copy' button. You will be able to copy a "
     "diagram of the scales to the clipboard, which can then be pasted and printed from a word "
     "processor.",
     twips(360, 4920, 9495, 495), Face::Bold},
};
constexpr ui::TextControl Label7{"FretSight 1.0 - scales on the guitar fretboard",
                                 twips(360, 5760, 3615, 375), Face::Bold};
constexpr ui::TextControl Command4{"Exit Program", twips(8280, 5760, 1575, 375), Face::Bold};

// Open-string names (Label3, by string) left of the board and fret numbers
// (Label4, by fret) under it, 135 x 135 each in Face::Small. They are
// widened to their text, which the designed size would clip.
constexpr int Label3Left = 120;
constexpr int Label3Tops[7] = {0, 1320, 1520, 1730, 1910, 2120, 2310};
constexpr int Label4Top = 2640;
constexpr int Label4Lefts[music::FretCount] = {480,  1130, 1920, 2690, 3440, 4200, 4980,
                                               5700, 6420, 7110, 7720, 8380, 9020};
constexpr int SmallLabelSize = 135;

// The points inside the picture: markers (Shape1..6) of 165 and degree
// labels (Label11..16) of 135 twips, by string row and fret column.
constexpr int MarkerSize = 165;
constexpr int MarkerTops[7] = {0, 120, 320, 510, 700, 900, 1100};
constexpr int MarkerLefts[music::FretCount] = {120,  720,  1500, 2280, 3050, 3790, 4560,
                                               5300, 6000, 6690, 7340, 8000, 8620};
constexpr int DegreeSize = 135;
constexpr int DegreeTops[7] = {0, 120, 320, 510, 700, 900, 1090};
constexpr int DegreeLefts[music::FretCount] = {170,  770,  1550, 2330, 3090, 3840, 4610,
                                               5340, 6050, 6740, 7380, 8040, 8670};
// Two elements sit a little off their row and column, as drawn.
constexpr int Shape6Fret2Top = 1095;
constexpr QPoint Label16Fret0{165, 1080};
} // namespace layout

QStringList scaleNameList()
{
    QStringList names;
    for (const music::ScaleType &scale : music::ScaleCatalogue)
        names << ui::text(scale.name);
    return names;
}

} // namespace

FretSight::FretSight(DialogSet &dialogs)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      m_dialogs(dialogs)
{
    accessibility::install();
    setWindowTitle(QStringLiteral("FretSight"));
    setFixedSize(ui::px(layout::Client.width()), ui::px(layout::Client.height()));
    setFont(ui::font(Face::List)); // the lists' face; every other control names its own

    Label1 = ui::addLabel(this, layout::Label1);
    Combo1 = ui::addList(this, layout::Combo1, Face::List);
    Label2 = ui::addLabel(this, layout::Label2);
    Combo2 = ui::addList(this, layout::Combo2, Face::List);
    Command1 = ui::addButton(this, layout::Command1);
    Command3 = ui::addButton(this, layout::Command3);
    Command2 = ui::addButton(this, layout::Command2);
    Label1->setBuddy(Combo1);
    Label2->setBuddy(Combo2);

    Picture1 = new FretboardView(this);
    Picture1->setGeometry(layout::Picture1);
    Picture1->setAccessibleName(QStringLiteral("Fretboard"));
    buildBoard();

    const QFont small = ui::font(Face::Small);
    for (int s = 1; s <= music::StringCount; ++s) {
        const QString name = ui::noteName(music::TuningPresets[0].notes[s - 1]);
        Label3[s] = ui::addLabel(this, {"", twips(layout::Label3Left, layout::Label3Tops[s],
                                                  layout::SmallLabelSize, layout::SmallLabelSize),
                                        Face::Small});
        Label3[s]->setText(name);
        Label3[s]->setAccessibleDescription(QStringLiteral("Open note of string %1").arg(s));
        ui::fitLabelToText(Label3[s], QStringLiteral("G#"));
    }
    for (int f = 0; f < music::FretCount; ++f) {
        Label4[f] = ui::addLabel(this, {"", twips(layout::Label4Lefts[f], layout::Label4Top,
                                                  layout::SmallLabelSize, layout::SmallLabelSize),
                                        Face::Small});
        Label4[f]->setText(QString::number(f));
        ui::fitLabelToText(Label4[f]);
    }

    Label5 = ui::addLabel(this, layout::Label5);
    for (int i = 0; i < 3; ++i)
        Label6[i] = ui::addLabel(this, layout::Label6[i]);
    Label7 = ui::addLabel(this, layout::Label7, Qt::AlignLeft | Qt::AlignVCenter);
    Command4 = ui::addButton(this, layout::Command4);

    QWidget::setTabOrder(Picture1, Combo1);
    QWidget::setTabOrder(Combo1, Combo2);
    QWidget::setTabOrder(Combo2, Command1);
    QWidget::setTabOrder(Command1, Command2);
    QWidget::setTabOrder(Command2, Command3);
    QWidget::setTabOrder(Command3, Command4);

    connect(Combo1, &QComboBox::currentIndexChanged, this, &FretSight::combo1Click);
    connect(Combo2, &QComboBox::currentIndexChanged, this, &FretSight::combo2Click);
    connect(Command1, &QPushButton::clicked, this, &FretSight::command1Click);
    connect(Command2, &QPushButton::clicked, this, &FretSight::command2Click);
    connect(Command3, &QPushButton::clicked, this, &FretSight::command3Click);
    connect(Command4, &QPushButton::clicked, this, &FretSight::command4Click);
}

void FretSight::buildBoard()
{
    using namespace layout;
    Picture1->setLabelFont(ui::font(Face::Small));
    // All markers first, then all labels, so that labels are drawn above.
    for (int s = 1; s <= music::StringCount; ++s) {
        for (int f = 0; f < music::FretCount; ++f) {
            const int top = (s == 6 && f == 2) ? Shape6Fret2Top : MarkerTops[s];
            Shape[s][f] = Picture1->addMarker(
                FretboardView::inside(MarkerLefts[f], top, MarkerSize, MarkerSize), s, f);
        }
    }
    for (int s = 1; s <= music::StringCount; ++s) {
        for (int f = 0; f < music::FretCount; ++f) {
            const bool odd = s == 6 && f == 0;
            Degree[s][f] = Picture1->addLabel(
                FretboardView::inside(odd ? Label16Fret0.x() : DegreeLefts[f],
                                      odd ? Label16Fret0.y() : DegreeTops[s], DegreeSize, DegreeSize));
        }
    }
}

void FretSight::formLoad()
{
    ui::fillList(Combo1, ui::noteNames());
    ui::fillList(Combo2, scaleNameList());
    Combo1->setCurrentIndex(0);
    Combo2->setCurrentIndex(0);
    Module1::fillScalePatterns();
    ui::fitAllText(this);

    ui::centreOnScreen(this, QGuiApplication::primaryScreen());
    show();
    activateWindow(); // its activation handler draws the board
}

void FretSight::formActivate()
{
    if (!m_activatedOnce) {
        // Posted below the priority of the board's repaint, so that it comes
        // after the first picture of the board.
        QCoreApplication::postEvent(this, new QEvent(AfterFirstPaint), Qt::LowEventPriority - 1);
        m_activatedOnce = true;
    }
    const music::Tuning open = m_dialogs.tuning().openNotes();
    for (int s = 1; s <= music::StringCount; ++s)
        Label3[s]->setText(ui::noteName(open[s - 1]));
    if (isVisible())
        RefreshFretboard();
}

void FretSight::RefreshFretboard()
{
    const int t = Combo2->currentIndex();
    const int key = Combo1->currentIndex();
    const music::Tuning open = m_dialogs.tuning().openNotes();
    if (t < 0 || key < 0 || std::find(open.begin(), open.end(), -1) != open.end())
        return; // nothing is selected yet: nothing to draw

    const music::IntervalFlags flags = music::intervalFlags(Module1::ScalePatterns[t]);
    const music::Board points = music::computeBoard(flags, key, open);
    int shown = 0;
    for (int s = 1; s <= music::StringCount; ++s) {
        for (int f = 0; f < music::FretCount; ++f) {
            const music::PointState &point = points[s - 1][f];
            PointMarker *marker = Shape[s][f];
            if (point.shown) {
                marker->show();
                Degree[s][f]->setText(QString::number(point.degree));
                marker->setFillColor(point.root ? FretboardView::Red : FretboardView::Yellow);
                ++shown;
            } else {
                marker->hide();
                Degree[s][f]->setText(QString());
            }
            marker->setMeaning((open[s - 1] + f) % music::NoteCount, point.degree, point.root);
        }
    }
    // The scale's notes upwards from the root, for a screen reader.
    QStringList notes;
    for (int i = 0; i < music::NoteCount; ++i) {
        if (flags[i] == 1)
            notes << ui::noteName((key + i) % music::NoteCount);
    }
    Picture1->setAccessibleDescription(ui::spoken(QStringLiteral("%1 %2: %3; %4 scale notes on frets 0 to 12")
                                                      .arg(Combo1->currentText(), Combo2->currentText(),
                                                           notes.join(QLatin1Char(' ')))
                                                      .arg(shown)));
    ++m_refreshCount;
}

bool FretSight::event(QEvent *event)
{
    if (event->type() == AfterFirstPaint) {
        // The first picture of the board does not need the window's icon.
        setWindowIcon(ui::pictureIcon(QStringLiteral("guitar")));
        return true;
    }
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate) {
        // Brought forward (a click, the task bar) while a dialog is open: the
        // dialog is what the user must get back to, minimized or not. Not
        // when the focus only passes here because the user is minimizing
        // the dialog, and this window goes down with it.
        if (!isEnabled() && m_dialog && m_dialog->isVisible()) {
            // Decided a moment later: some window managers hand this window
            // the focus before they tell that they are minimizing the dialog.
            QTimer::singleShot(DialogReturnDelayMs, this, &FretSight::returnToDialog);
        }
        else
            formActivate();
    }
    return handled;
}

void FretSight::returnToDialog()
{
    if (isEnabled() || !m_dialog || !m_dialog->isVisible() || !isActiveWindow() ||
        m_dialog->isBeingMinimized() || m_dialog->minimizedJustNow())
        return;
    // On Wayland a window that was once minimized stays so to Qt.
    if ((windowState() & Qt::WindowMinimized) && !ui::onWayland())
        return;
    m_dialog->bringBack();
}

void FretSight::changeEvent(QEvent *event)
{
    // Disabled, the window takes no input, the keyboard's focus included:
    // the window manager leaves the focus with the open dialog when this
    // window is clicked (KWin would focus this window and leave the dialog
    // behind it).
    if (event->type() == QEvent::EnabledChange && windowHandle() && !ui::onWayland())
        windowHandle()->setFlag(Qt::WindowDoesNotAcceptFocus, !isEnabled());
    if (event->type() == QEvent::WindowStateChange) {
        ui::keepNormalSize(this);
        // Given back from the task bar while a dialog is open.
        if (!(windowState() & Qt::WindowMinimized) && !isEnabled() && m_dialog && m_dialog->isVisible())
            m_dialog->bringBack();
    }
    QWidget::changeEvent(event);
}

void FretSight::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_dialogs.endProgram();
}

void FretSight::openDialog(FormDialog &dialog)
{
    m_dialog = &dialog;
    dialog.openOver(this);
    setEnabled(false);
}

void FretSight::combo1Click()
{
    if (isVisible())
        RefreshFretboard();
}

void FretSight::combo2Click()
{
    if (isVisible())
        RefreshFretboard();
}

void FretSight::command1Click() { openDialog(m_dialogs.tuning()); }
void FretSight::command2Click() { openDialog(m_dialogs.about()); }
void FretSight::command3Click() { openDialog(m_dialogs.clip()); }
void FretSight::command4Click() { m_dialogs.endProgram(); }
