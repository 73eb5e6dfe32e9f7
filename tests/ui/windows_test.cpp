// SPDX-License-Identifier: GPL-3.0-or-later
// The real windows on the offscreen platform: start-up, the board, the
// dialogs' order of steps, the tuning dialog's nested updates, copying and
// layout.
#include "uitest.h"

#include "dialogs/about.h"
#include "desktop/windowplacement.h"
#include "dialogs/clip.h"
#include "widgets/ui.h"

#include <QCheckBox>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>

using namespace uitest;

namespace {

// Records, at each show and hide of a dialog, whether the main window was
// enabled at that moment.
class OrderProbe : public QObject {
    Q_OBJECT

public:
    explicit OrderProbe(QWidget *dialog) { dialog->installEventFilter(this); }
    QStringList steps;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            steps << QString(event->type() == QEvent::Show ? "show/" : "hide/") +
                         (forms::fretSight().isEnabled() ? "enabled" : "disabled");
        return false;
    }
};

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() { forms::unloadAll(); }

    void startUpDrawsOnceAfterTheTableIsFilled()
    {
        FretSight &main = startProgram();
        QCOMPARE(main.refreshCount(), 1);
        QCOMPARE(main.Combo1->currentText() + ' ' + main.Combo2->currentText(), QStringLiteral("C Major"));
        QString open;
        for (int s = 1; s <= 6; ++s)
            open += main.Label3[s]->text();
        QCOMPARE(open, QStringLiteral("EBGDAE"));
        QCOMPARE(boardRow(main, 1), std::string("34.5.6.71r.2.3"));
        QCOMPARE(boardRow(main, 5), std::string("6.71r.2.34.5.6"));
        QVERIFY(!forms::tuning().isVisible());
    }

    void everyKeyAndScaleTypeInTwoTunings()
    {
        FretSight &main = startProgram();
        const music::Tuning tunings[2] = {{4, 11, 7, 2, 9, 4}, {11, 6, 1, 8, 3, 10}};
        for (const music::Tuning &open : tunings) {
            for (int s = 1; s <= 6; ++s)
                forms::tuning().Combo2[s]->setCurrentIndex(open[s - 1]);
            main.Combo1->setCurrentIndex(0);
            main.Combo2->setCurrentIndex(0);
            main.RefreshFretboard(); // as the main window does on its next activation
            for (int scale = 0; scale < 65; ++scale) {
                main.Combo2->setCurrentIndex(scale);
                for (int key = 0; key < 12; ++key) {
                    main.Combo1->setCurrentIndex(key);
                    for (int s = 1; s <= 6; ++s)
                        QCOMPARE(boardRow(main, s), expectedRow(pattern(scale), key, open[s - 1]));
                }
            }
        }
    }

    void dialogsShowThenDisableAndEnableThenHide_data()
    {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<QString>("way");
        for (int d = 0; d < 3; ++d)
            for (const char *way : {"button", "enter", "escape", "frame"})
                QTest::addRow("%s by %s", std::array{"tuning", "copy", "about"}[d], way) << d << way;
    }

    void dialogsShowThenDisableAndEnableThenHide()
    {
        QFETCH(int, dialog);
        QFETCH(QString, way);
        FretSight &main = startProgram();
        QPushButton *opener = std::array{main.Command1, main.Command3, main.Command2}[dialog];
        FormDialog *box = std::array<FormDialog *, 3>{&forms::tuning(), &forms::clip(), &forms::about()}[dialog];
        QPushButton *closer = std::array{forms::tuning().Command1, forms::clip().Command2,
                                         forms::about().Command1}[dialog];
        OrderProbe probe(box);
        opener->setFocus();
        const QImage enabledBoard = main.Picture1->grab().toImage();
        QTest::mouseClick(opener, Qt::LeftButton);
        QVERIFY(box->isVisible() && !main.isEnabled());
        QCOMPARE(main.Picture1->grab().toImage(), enabledBoard); // full colour, disabled or not
        QTest::mouseClick(main.Combo2, Qt::LeftButton); // no effect while disabled
        QTRY_COMPARE(QApplication::activeWindow(), box);
        const int refreshes = main.refreshCount();
        // A held Escape repeats: only a press closes a dialog, so that an
        // Escape held from closing one does not close the next as it opens.
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(QApplication::focusWidget(), &held);
        QVERIFY(box->isVisible());
        if (way == "button")
            QTest::mouseClick(closer, Qt::LeftButton);
        else if (way == "enter") // on the focused button, which is no default
            QTest::keyClick(closer, Qt::Key_Return);
        else if (way == "escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->close();
        QCOMPARE(probe.steps, QStringList({"show/enabled", "hide/enabled"}));
        QTRY_COMPARE(QApplication::activeWindow(), &main);
        QCOMPARE(main.refreshCount(), refreshes + 1); // redrawn on return
        QCOMPARE(main.Combo2->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), opener);
    }

    // Each string written, in order, and the preset shown at that moment.
    void tuningPresetsNest_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("trail");
        const QString custom = "Custom Tuning";
        QTest::addRow("Standard to Drop-D") << 0 << 1 << QStringList{"6 Drop-D"};
        QTest::addRow("Standard to Double Drop-D, through Drop-D") << 0 << 2 << QStringList{"6 Drop-D", "1 Double Drop-D"};
        QTest::addRow("Open G to Standard") << 5 << 0 << QStringList{"6 " + custom, "5 " + custom, "1 Standard"};
        QTest::addRow("Open D to Standard") << 4 << 0
                                            << QStringList{"6 " + custom, "3 " + custom, "2 " + custom, "1 Standard"};
        QTest::addRow("Standard to Custom Tuning") << 0 << 8 << QStringList{};
    }

    void tuningPresetsNest()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, trail);
        FretSight &main = startProgram();
        Tuning &tuning = forms::tuning();
        clickAndWait(main.Command1, &tuning);
        tuning.Combo1->setCurrentIndex(from);
        QStringList seen;
        for (int s = 1; s <= 6; ++s) // gone with the dialog after the test
            connect(tuning.Combo2[s], &QComboBox::currentIndexChanged, this,
                    [&seen, &tuning, s] { seen << QString::number(s) + ' ' + tuning.Combo1->currentText(); });
        tuning.Combo1->setCurrentIndex(to);
        QCOMPARE(seen, trail);
        QCOMPARE(tuning.Combo1->currentIndex(), to);
        QVERIFY(tuning.Command1->hasFocus());
        QCOMPARE(main.Label3[6]->text(), QStringLiteral("E")); // only after OK
        clickAndWait(tuning.Command1, &main);
        QCOMPARE(main.Label3[6]->text(), tuning.Combo2[6]->currentText());
    }

    // "Copy to Clipboard" writes a block per ticked key, titled with the
    // key, the scale type and the tuning's name, in every flavour; the ticks
    // stay for the next opening, and Cancel writes nothing.
    void copyingAndCancelling()
    {
        FretSight &main = startProgram();
        Clip &clip = forms::clip();
        main.Combo2->setCurrentIndex(14);
        forms::tuning().Combo1->setCurrentIndex(1); // Drop-D, whose notes the preset sets
        clickAndWait(main.Command3, &clip);
        for (int k = 0; k < 12; ++k)
            clip.Check1[k]->setChecked(k == 1 || k == 9);
        clickAndWait(clip.Command1, &main);
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        const QStringList lines = data->text().split('\r');
        QCOMPARE(lines.size(), 5 + 2 * 11 + 1);
        QCOMPARE(lines[5] + lines[16], QStringLiteral("C# Dorian Scale, Drop-D Tuning.A Dorian Scale, Drop-D Tuning."));
        QVERIFY(data->html().contains("<pre") && data->html().contains("A Dorian Scale, Drop-D Tuning.\n"));
        // Word processors look for RTF under either name.
        QVERIFY(data->data("text/rtf").startsWith("{\\rtf1"));
        QCOMPARE(data->data("text/richtext"), data->data("text/rtf"));
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        clickAndWait(main.Command3, &clip);
        QVERIFY(clip.Check1[1]->isChecked() && !clip.Check1[2]->isChecked());
        clickAndWait(clip.Command2, &main);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    }

    // A window larger than the screen keeps its top-left corner on it.
    void aWindowLargerThanTheScreenKeepsItsCornerOnIt()
    {
        QScreen *screen = QGuiApplication::primaryScreen();
        const QRect area = screen->availableGeometry();
        QWidget big;
        big.resize(area.width() + 200, area.height() + 100);
        ui::centreOnScreen(&big, screen);
        big.show();
        QCOMPARE(big.frameGeometry().topLeft(), area.topLeft());
    }

    void noTextIsClipped()
    {
        FretSight &main = startProgram();
        // The main window, then each dialog as its button opens it.
        for (QPushButton *opener : {static_cast<QPushButton *>(nullptr), main.Command1, main.Command3, main.Command2}) {
            if (opener)
                QTest::mouseClick(opener, Qt::LeftButton);
            QWidget *window = opener ? QApplication::activeModalWidget() : &main;
            for (QWidget *w : window->findChildren<QWidget *>()) {
                if (w->window() != window)
                    continue; // a list's pop-up
                const QString what = w->metaObject()->className() + (" in " + window->windowTitle());
                QVERIFY2(ui::textFits(w), qPrintable(what));
                QVERIFY2(window->rect().contains(w->geometry()), qPrintable(what));
            }
            if (window != &main)
                static_cast<FormDialog *>(window)->reject();
        }
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
