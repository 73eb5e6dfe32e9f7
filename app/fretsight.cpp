#include "fretsight.h"

#include "app/accessibility.h"
#include "app/fretboard.h"
#include "app/forms.h"
#include "app/ui.h"
#include "dialogs/about.h"
#include "dialogs/clip.h"
#include "dialogs/tuning.h"
#include "music/scales.h"
#include "music/tunings.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {

using ui::twips;

constexpr std::array<int, 7> OpenLabelTops = {0, 1320, 1520, 1730, 1910, 2120, 2310};
constexpr std::array<int, music::FretCount> FretLabelLefts = {
    480, 1130, 1920, 2690, 3440, 4200, 4980, 5700, 6420, 7110, 7720, 8380, 9020};

// Point rows and columns inside the picture, in twips.
constexpr std::array<int, 7> MarkerTops = {0, 120, 320, 510, 700, 900, 1100};
constexpr std::array<int, 7> DegreeTops = {0, 120, 320, 510, 700, 900, 1090};
constexpr std::array<int, music::FretCount> MarkerLefts = {
    120, 720, 1500, 2280, 3050, 3790, 4560, 5300, 6000, 6690, 7340, 8000, 8620};
constexpr std::array<int, music::FretCount> DegreeLefts = {
    170, 770, 1550, 2330, 3090, 3840, 4610, 5340, 6050, 6740, 7380, 8040, 8670};
constexpr int MarkerSize = 165;
constexpr int DegreeSize = 135;

const char *const Instructions[3] = {
    "The above diagram represents a guitar fretboard, showing six strings and twelve frets "
    "(including the open strings). Choose the scale key and scale type in the two drop-down boxes "
    "at the top. The yellow points on the fretboard represent scale notes, while the red points "
    "represent the root notes of the scale. ",
    "Note the tuning of the guitar strings (as shown by the open notes to the left of the "
    "fretboard). The tuning of the strings can be changed by pressing the 'Tuning' button.",
    "The scales can be printed by clicking on the 'Copy' button. You will be able to copy a diagram "
    "of the scales to the clipboard, which can then be pasted and printed from a word processor.",
};
constexpr std::array<int, 3> InstructionTops = {3480, 4320, 4920};
constexpr std::array<int, 3> InstructionHeights = {735, 495, 495};

QStringList noteNameList()
{
    QStringList names;
    for (int n = 0; n < music::NoteCount; ++n)
        names << ui::noteName(n);
    return names;
}

QStringList scaleNameList()
{
    QStringList names;
    for (const music::ScaleType &scale : music::ScaleCatalogue)
        names << ui::text(scale.name);
    return names;
}

} // namespace

FretSight::FretSight() : QWidget(nullptr)
{
    ui::installAccessibility();
    setWindowTitle(QStringLiteral("FretSight"));
    setWindowIcon(ui::pictureIcon(QStringLiteral("guitar")));
    setFixedSize(ui::px(10110), ui::px(6330));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    const QFont textFont = ui::dialogFont(8.25);
    const QFont listFont = ui::dialogFont(9.75);

    Label1 = ui::addLabel(this, QStringLiteral("Key:"), twips(360, 120, 1455, 255), textFont);
    Combo1 = ui::addList(this, twips(360, 480, 1095, 360), listFont);
    Label2 = ui::addLabel(this, QStringLiteral("Scale Type:"), twips(1680, 120, 3255, 255), textFont);
    Combo2 = ui::addList(this, twips(1680, 480, 4095, 360), listFont);
    Command1 = ui::addButton(this, QStringLiteral("Tuning.."), twips(6000, 480, 1215, 375));
    Command3 = ui::addButton(this, QStringLiteral("Copy.."), twips(7440, 480, 1095, 375));
    Command2 = ui::addButton(this, QStringLiteral("About..."), twips(8760, 480, 1095, 375));

    Picture1 = new FretboardPicture(this);
    Picture1->setGeometry(twips(360, 1200, 9480, 1395));
    buildBoard();

    for (int s = 1; s <= music::StringCount; ++s) {
        Label3[s] = ui::addLabel(this, ui::noteName(music::TuningPresets[0].notes[s - 1]),
                                 twips(120, OpenLabelTops[s], 135, 135), ui::smallFont());
        ui::fitLabelToText(Label3[s], QStringLiteral("G#"));
    }
    for (int f = 0; f < music::FretCount; ++f) {
        Label4[f] = ui::addLabel(this, QString::number(f), twips(FretLabelLefts[f], 2640, 135, 135),
                                 ui::smallFont());
        ui::fitLabelToText(Label4[f]);
    }

    Label5 = ui::addLabel(this, QStringLiteral("Instructions:"), twips(360, 3120, 1695, 255), textFont);
    for (int i = 0; i < 3; ++i) {
        Label6[i] = ui::addLabel(this, QString::fromLatin1(Instructions[i]),
                                 twips(360, InstructionTops[i], 9495, InstructionHeights[i]), textFont);
    }
    Label7 = ui::addLabel(this, QStringLiteral("FretSight 1.0 - scales on the guitar fretboard"),
                          twips(360, 5760, 3615, 375), textFont, Qt::AlignLeft | Qt::AlignVCenter);
    Command4 = ui::addButton(this, QStringLiteral("Exit Program"), twips(8280, 5760, 1575, 375));

    Combo1->setAccessibleName(QStringLiteral("Key"));
    Combo2->setAccessibleName(QStringLiteral("Scale type"));
    Command1->setAccessibleName(QStringLiteral("Tuning"));
    Command3->setAccessibleName(QStringLiteral("Copy"));
    Command2->setAccessibleName(QStringLiteral("About"));
    Picture1->setAccessibleName(QStringLiteral("Fretboard"));
    for (int s = 1; s <= music::StringCount; ++s)
        Label3[s]->setAccessibleDescription(QStringLiteral("Open note of string %1").arg(s));

    Picture1->setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(Picture1, Combo1);
    QWidget::setTabOrder(Combo1, Combo2);
    QWidget::setTabOrder(Combo2, Command1);
    QWidget::setTabOrder(Command1, Command2);
    QWidget::setTabOrder(Command2, Command3);
    QWidget::setTabOrder(Command3, Command4);

    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { combo1Click(); });
    connect(Combo2, &QComboBox::currentIndexChanged, this, [this] { combo2Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { command1Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { command2Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { command3Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { command4Click(); });
}

void FretSight::buildBoard()
{
    const QFont font = ui::smallFont();
    for (int s = 1; s <= music::StringCount; ++s) {
        for (int f = 0; f < music::FretCount; ++f) {
            auto *marker = new PointMarker(Picture1, s, f);
            // Two points sit a little off their row, as drawn.
            const int top = (s == 6 && f == 2) ? 1095 : MarkerTops[s];
            marker->setGeometry(FretboardPicture::inside(MarkerLefts[f], top, MarkerSize, MarkerSize));
            marker->hide();
            Shape[s][f] = marker;
        }
    }
    // Labels are made after all markers so that they are drawn above them.
    for (int s = 1; s <= music::StringCount; ++s) {
        for (int f = 0; f < music::FretCount; ++f) {
            const bool offset = s == 6 && f == 0;
            auto *label = new QLabel(Picture1);
            label->setFont(font);
            label->setGeometry(FretboardPicture::inside(offset ? 165 : DegreeLefts[f],
                                                        offset ? 1080 : DegreeTops[s], DegreeSize,
                                                        DegreeSize));
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, Qt::black);
            label->setPalette(palette);
            Degree[s][f] = label;
        }
    }
}

void FretSight::formLoad()
{
    ui::fillList(Combo1, noteNameList());
    ui::fillList(Combo2, scaleNameList());
    Combo1->setCurrentIndex(0);
    Combo2->setCurrentIndex(0);
    Module1::fillScalePatterns();
    ui::fitAllText(this, Picture1);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    move(screen.center() - QPoint(width() / 2, height() / 2));
    show();
    activateWindow(); // its activation handler draws the board
}

void FretSight::formActivate()
{
    Tuning &tuning = forms::tuning();
    for (int s = 1; s <= music::StringCount; ++s)
        Label3[s]->setText(ui::noteName(tuning.Combo2[s]->currentIndex()));
    if (isVisible())
        RefreshFretboard();
}

void FretSight::RefreshFretboard()
{
    const int t = Combo2->currentIndex();
    const int key = Combo1->currentIndex();
    const Tuning &tuning = forms::tuning();
    music::Tuning open{};
    for (int s = 1; s <= music::StringCount; ++s)
        open[s - 1] = tuning.Combo2[s]->currentIndex();
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
                marker->setFillColor(point.root ? board::Red : board::Yellow);
                marker->setMeaning((open[s - 1] + f) % music::NoteCount, point.degree, point.root);
                ++shown;
            } else {
                marker->hide();
                Degree[s][f]->setText(QString());
                marker->setMeaning(0, 0, false);
            }
        }
    }
    Picture1->setAccessibleDescription(QStringLiteral("%1 %2: %3 scale notes on frets 0 to 12")
                                           .arg(Combo1->currentText(), Combo2->currentText())
                                           .arg(shown));
    ++m_refreshCount;
}

bool FretSight::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        formActivate();
    return handled;
}

void FretSight::closeEvent(QCloseEvent *event)
{
    event->accept();
    forms::endProgram();
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

void FretSight::command1Click()
{
    forms::tuning().showFromMain();
    setEnabled(false);
}

void FretSight::command2Click()
{
    forms::about().showFromMain();
    setEnabled(false);
}

void FretSight::command3Click()
{
    forms::clip().showFromMain();
    setEnabled(false);
}

void FretSight::command4Click()
{
    forms::endProgram();
}
