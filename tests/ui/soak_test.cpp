// SPDX-License-Identifier: GPL-3.0-or-later
// Random user actions over all windows, each followed by a check of the
// board, the open-string labels and the clipboard against a model kept
// from the actions alone. FRETSIGHT_SOAK_SEED and FRETSIGHT_SOAK_ACTIONS
// change the seed and the length; a failure names both and the action.
#include "uitest.h"

#include "dialogs/clip.h"
#include "music/tunings.h"

#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>

#include <random>

using namespace uitest;

class SoakTest : public QObject {
    Q_OBJECT

    std::mt19937 rng;
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    // The model: what the user chose, and the tuning's name as the preset
    // list must show it (the first preset with all six notes, or custom).
    int key = 0, scale = 0;
    std::array<int, 6> notes{4, 11, 7, 2, 9, 4};
    bool customPicked = false;
    std::array<bool, 12> ticked{};

    QString tuningName() const
    {
        if (!customPicked) {
            for (const music::TuningPreset &p : music::TuningPresets)
                if (p.name != "Custom Tuning" && std::equal(notes.begin(), notes.end(), p.notes.begin()))
                    return QString::fromLatin1(p.name.data(), int(p.name.size()));
        }
        return QStringLiteral("Custom Tuning");
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void randomActions()
    {
        const unsigned seed = qEnvironmentVariableIsSet("FRETSIGHT_SOAK_SEED")
                                  ? qEnvironmentVariableIntValue("FRETSIGHT_SOAK_SEED") : 20261206u;
        const int actions = qEnvironmentVariableIsSet("FRETSIGHT_SOAK_ACTIONS")
                                ? qEnvironmentVariableIntValue("FRETSIGHT_SOAK_ACTIONS") : 300;
        rng.seed(seed);
        ticked.fill(true);
        FretSight &main = startProgram();
        Tuning &tuning = forms::tuning();
        Clip &clip = forms::clip();
        for (int n = 0; n < actions; ++n) {
            QString action;
            switch (pick(5)) {
            case 0:
                key = pick(12);
                main.Combo1->setCurrentIndex(key);
                action = QStringLiteral("key %1").arg(key);
                break;
            case 1:
                scale = pick(65);
                main.Combo2->setCurrentIndex(scale);
                action = QStringLiteral("scale %1").arg(scale);
                break;
            case 2: {
                clickAndWait(main.Command1, &tuning);
                const int p = pick(9), s = 1 + pick(6), note = pick(12);
                if (pick(2)) {
                    tuning.Combo1->setCurrentIndex(p);
                    if (p < 8)
                        std::copy(music::TuningPresets[p].notes.begin(), music::TuningPresets[p].notes.end(), notes.begin());
                    customPicked = p == 8;
                    action = QStringLiteral("preset %1").arg(p);
                } else {
                    customPicked = customPicked && notes[s - 1] == note;
                    notes[s - 1] = note;
                    tuning.Combo2[s]->setCurrentIndex(note);
                    action = QStringLiteral("string %1 to %2").arg(s).arg(note);
                }
                clickAndWait(tuning.Command1, &main);
                break;
            }
            default: {
                clickAndWait(main.Command3, &clip);
                const int k = pick(12);
                QTest::mouseClick(clip.Check1[k], Qt::LeftButton, {}, QPoint(5, 5));
                ticked[k] = !ticked[k];
                const bool copy = pick(3) > 0;
                QGuiApplication::clipboard()->setText(QStringLiteral("before"));
                clickAndWait(copy ? clip.Command1 : clip.Command2, &main);
                const QStringList lines = QGuiApplication::clipboard()->text().split('\r');
                QStringList titles;
                for (int t = 0; copy && t < 12; ++t)
                    if (ticked[t])
                        titles << QStringLiteral("%1 %2 Scale, %3 Tuning.")
                                      .arg(main.Combo1->itemText(t), main.Combo2->itemText(scale), tuningName());
                QStringList got;
                for (int b = 5; copy && b < lines.size() - 1; b += 11)
                    got << lines[b];
                action = QStringLiteral("box %1, %2").arg(k).arg(copy ? "copy" : "cancel");
                QVERIFY2(copy ? got == titles : lines == QStringList{"before"},
                         qPrintable(QStringLiteral("seed %1 action %2: %3").arg(seed).arg(n).arg(action)));
            }
            }
            const QString where = QStringLiteral("seed %1 action %2: %3").arg(seed).arg(n).arg(action);
            QVERIFY2(main.isEnabled() && QApplication::activeWindow() != &tuning, qPrintable(where));
            QVERIFY2(tuning.Combo1->currentText() == tuningName(), qPrintable(where));
            for (int s = 1; s <= 6; ++s) {
                QVERIFY2(main.Label3[s]->text() == main.Combo1->itemText(notes[s - 1]), qPrintable(where));
                QVERIFY2(boardRow(main, s) == expectedRow(pattern(scale), key, notes[s - 1]), qPrintable(where));
            }
        }
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
