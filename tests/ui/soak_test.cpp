// Drives the real windows through thousands of random user actions and,
// after each, checks every window against a model of what the user did.
// FRETSIGHT_SOAK_SEED and FRETSIGHT_SOAK_ACTIONS override the defaults; a
// failure prints the seed and the action that broke it.

#include "uitest.h"

#include "dialogs/about.h"
#include "dialogs/clip.h"
#include "common/diagram_fixtures.h"
#include "music/tunings.h"

#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>

#include <random>

using namespace uitest;

namespace {

enum class Open { None, Tuning, Clip, About };

// What the windows should show, updated only from the actions themselves.
struct Model {
    int key = 0;
    int scale = 0;
    music::Tuning notes{4, 11, 7, 2, 9, 4};
    bool customPicked = false; // "Custom Tuning" picked since the last string change
    std::array<bool, 12> ticked{true, true, true, true, true, true, true, true, true, true, true, true};
    music::Tuning boardNotes = notes; // the tuning the board last took over
    Open open = Open::None;
    QString lastCopy;
    bool copied = false;

    int preset() const { return customPicked ? music::CustomTuningIndex : music::lookupPreset(notes); }

    QString diagramText() const
    {
        exporter::DiagramInput in = fixtures::catalogueInput(scale, 0);
        in.open = notes;
        in.tuningName = std::string(music::TuningPresets[preset()].name);
        for (int n = 0; n < 12; ++n)
            in.chosen[n] = ticked[n];
        return QString::fromStdString(exporter::buildDiagramText(in));
    }
};

int clampIndex(int i, int count) { return std::max(0, std::min(count - 1, i)); }

class Soak {
public:
    Soak(unsigned seed) : rng(seed) {}

    FretSight &main = startProgram();
    std::mt19937 rng;
    Model m;
    QString action;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    // Picks from a list as a user does: by keyboard step or by choosing an
    // entry. Returns the index the list should now have.
    int useList(QComboBox *list)
    {
        const int current = list->currentIndex();
        list->setFocus();
        switch (pick(4)) {
        case 0:
            action = QStringLiteral("Down on %1").arg(list->objectName());
            QTest::keyClick(list, Qt::Key_Down);
            return clampIndex(current + 1, list->count());
        case 1:
            action = QStringLiteral("Up on %1").arg(list->objectName());
            QTest::keyClick(list, Qt::Key_Up);
            return clampIndex(current - 1, list->count());
        default: {
            const int target = pick(list->count());
            action = QStringLiteral("pick %1 in %2").arg(target).arg(list->objectName());
            list->setCurrentIndex(target);
            return target;
        }
        }
    }

    // Closes the open dialog by its button, Escape or the frame.
    void closeDialog(QWidget *dialog, QPushButton *button)
    {
        switch (pick(3)) {
        case 0:
            action += QStringLiteral(" by button");
            QTest::mouseClick(button, Qt::LeftButton);
            break;
        case 1:
            action += QStringLiteral(" by Escape");
            QTest::keyClick(dialog, Qt::Key_Escape);
            break;
        default:
            action += QStringLiteral(" by frame");
            dialog->close();
            break;
        }
        m.open = Open::None;
        m.boardNotes = m.notes;
        waitForActivation(main);
    }

    void step()
    {
        switch (m.open) {
        case Open::None: return mainAction();
        case Open::Tuning: return tuningAction();
        case Open::Clip: return clipAction();
        case Open::About:
            action = QStringLiteral("close about");
            return closeDialog(&forms::about(), forms::about().Command1);
        }
    }

    void mainAction()
    {
        const int what = pick(10);
        if (what < 3) {
            m.key = useList(main.Combo1);
        } else if (what < 6) {
            m.scale = useList(main.Combo2);
        } else if (what < 8) {
            action = QStringLiteral("open tuning");
            QTest::mouseClick(main.Command1, Qt::LeftButton);
            m.open = Open::Tuning;
            waitForActivation(forms::tuning());
        } else if (what < 9) {
            action = QStringLiteral("open copy");
            QTest::mouseClick(main.Command3, Qt::LeftButton);
            m.open = Open::Clip;
            waitForActivation(forms::clip());
        } else {
            action = QStringLiteral("open about");
            QTest::mouseClick(main.Command2, Qt::LeftButton);
            m.open = Open::About;
            waitForActivation(forms::about());
        }
    }

    void tuningAction()
    {
        Tuning &tuning = forms::tuning();
        const int what = pick(10);
        if (what < 3) {
            const int before = tuning.Combo1->currentIndex();
            const int p = useList(tuning.Combo1);
            if (p != before) {
                if (music::presetHasNotes(p)) {
                    m.notes = music::TuningPresets[p].notes;
                    m.customPicked = false;
                } else {
                    m.customPicked = true;
                }
            }
        } else if (what < 8) {
            const int s = 1 + pick(6);
            const int before = tuning.Combo2[s]->currentIndex();
            const int note = useList(tuning.Combo2[s]);
            action += QStringLiteral(" (string %1)").arg(s);
            if (note != before) {
                m.notes[s - 1] = note;
                m.customPicked = false;
            }
        } else {
            action = QStringLiteral("close tuning");
            closeDialog(&tuning, tuning.Command1);
        }
    }

    void clipAction()
    {
        Clip &clip = forms::clip();
        const int what = pick(10);
        if (what < 6) {
            const int k = pick(12);
            QCheckBox *box = clip.Check1[k];
            if (pick(2) == 0) {
                action = QStringLiteral("click box %1").arg(k);
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            } else {
                action = QStringLiteral("Space on box %1").arg(k);
                box->setFocus();
                QTest::keyClick(box, Qt::Key_Space);
            }
            m.ticked[k] = !m.ticked[k];
        } else if (what < 8) {
            action = QStringLiteral("copy");
            QTest::mouseClick(clip.Command1, Qt::LeftButton);
            m.lastCopy = m.diagramText();
            m.copied = true;
            m.open = Open::None;
            m.boardNotes = m.notes;
            waitForActivation(main);
        } else {
            action = QStringLiteral("cancel copy");
            closeDialog(&clip, clip.Command2);
        }
    }

    // Returns an empty text when every window agrees with the model.
    QString check() const
    {
        QString why;
        if (main.Combo1->currentIndex() != m.key)
            return QStringLiteral("key list shows %1").arg(main.Combo1->currentIndex());
        if (main.Combo2->currentIndex() != m.scale)
            return QStringLiteral("scale list shows %1").arg(main.Combo2->currentIndex());
        if (!boardMatches(main, m.scale, m.key, m.boardNotes, &why))
            return QStringLiteral("board differs at ") + why;
        for (int s = 1; s <= 6; ++s) {
            const QString name = QString::fromLatin1(music::NoteNames[m.boardNotes[s - 1]].data());
            if (main.Label3[s]->text() != name)
                return QStringLiteral("open-string label %1 reads %2").arg(s).arg(main.Label3[s]->text());
        }
        if (currentTuning() != m.notes)
            return QStringLiteral("tuning lists differ");
        if (forms::tuning().Combo1->currentIndex() != m.preset())
            return QStringLiteral("preset list shows %1, not %2")
                .arg(forms::tuning().Combo1->currentIndex())
                .arg(m.preset());
        const bool anyDialog = forms::tuning().isVisible() || forms::clip().isVisible() ||
                               forms::about().isVisible();
        if (main.isEnabled() == anyDialog)
            return QStringLiteral("main window enabled while a dialog is %1")
                .arg(anyDialog ? "shown" : "hidden");
        if (anyDialog != (m.open != Open::None))
            return QStringLiteral("a dialog is unexpectedly %1").arg(anyDialog ? "shown" : "hidden");
        for (int k = 0; k < 12; ++k)
            if (forms::clip().Check1[k]->isChecked() != m.ticked[k])
                return QStringLiteral("box %1 is in the wrong state").arg(k);
        if (m.copied && QGuiApplication::clipboard()->text() != m.lastCopy)
            return QStringLiteral("clipboard differs from the diagram text");
        return QString();
    }
};

unsigned envNumber(const char *name, unsigned fallback)
{
    bool ok = false;
    const unsigned value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() { forms::unloadAll(); }

    void randomActions_data()
    {
        QTest::addColumn<unsigned>("seed");
        const unsigned first = envNumber("FRETSIGHT_SOAK_SEED", 20261206u);
        for (unsigned i = 0; i < 3; ++i)
            QTest::addRow("seed-%u", first + i) << first + i;
    }

    void randomActions()
    {
        QFETCH(unsigned, seed);
        const unsigned actions = envNumber("FRETSIGHT_SOAK_ACTIONS", 1500);
        Soak soak(seed);
        waitForActivation(soak.main);
        soak.main.Combo1->setObjectName(QStringLiteral("key list"));
        soak.main.Combo2->setObjectName(QStringLiteral("scale list"));
        forms::tuning().Combo1->setObjectName(QStringLiteral("preset list"));
        for (int s = 1; s <= 6; ++s)
            forms::tuning().Combo2[s]->setObjectName(QStringLiteral("string list"));

        QString why = soak.check();
        QVERIFY2(why.isEmpty(), qPrintable(QStringLiteral("seed %1, at start: %2").arg(seed).arg(why)));
        for (unsigned i = 0; i < actions; ++i) {
            soak.step();
            why = soak.check();
            if (!why.isEmpty()) {
                const QString report = QStringLiteral("seed %1, action %2 (%3): %4")
                                           .arg(seed)
                                           .arg(i)
                                           .arg(soak.action, why);
                QFAIL(qPrintable(report));
            }
        }
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
