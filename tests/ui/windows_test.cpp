// SPDX-License-Identifier: GPL-3.0-or-later
// The real windows on the offscreen platform: start-up, the board, the
// dialogs' order of steps, the tuning dialog's nested updates, copying,
// layout and what a screen reader is told.
#include "uitest.h"

#include "dialogs/about.h"
#include "desktop/windowplacement.h"
#include "dialogs/clip.h"
#include "widgets/ui.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>

using namespace uitest;

Q_DECLARE_METATYPE(std::vector<int>)

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
        const QString main = forms::fretSight().isEnabled() ? "enabled" : "disabled";
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            steps << (event->type() == QEvent::Show ? "show/" : "hide/") + main;
        return false;
    }
};

QStringList presetTrail(Tuning &tuning, std::vector<int> *strings, const std::function<void()> &act)
{
    QStringList shown;
    std::vector<QMetaObject::Connection> links;
    for (int s = 1; s <= 6; ++s)
        links.push_back(QObject::connect(tuning.Combo2[s], &QComboBox::currentIndexChanged, [&, s] {
            strings->push_back(s);
            shown << tuning.Combo1->currentText();
        }));
    act();
    for (auto &link : links)
        QObject::disconnect(link);
    return shown;
}

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
        QCOMPARE(main.Combo1->currentText(), QStringLiteral("C"));
        QCOMPARE(main.Combo2->currentText(), QStringLiteral("Major"));
        QCOMPARE(main.Combo2->itemText(64), QStringLiteral("Spanish Eight-Tone"));
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

    // The user can minimize only a dialog that has been active since it was
    // shown; a window manager may mark a new one minimized before that.
    void minimizingADialogTakesItsOpenerOnlyOnceActive_data()
    {
        QTest::addColumn<bool>("reopened");
        QTest::addColumn<bool>("active");
        QTest::addRow("new, not yet active") << false << false;
        QTest::addRow("new, active") << false << true;
        QTest::addRow("shown again, not yet active") << true << false;
    }

    void minimizingADialogTakesItsOpenerOnlyOnceActive()
    {
        QFETCH(bool, reopened);
        QFETCH(bool, active);
        FretSight &main = startProgram();
        FormDialog &box = forms::tuning();
        if (reopened) {
            QTest::mouseClick(main.Command1, Qt::LeftButton);
            QTRY_COMPARE(QApplication::activeWindow(), &box);
            box.reject();
        }
        QTest::mouseClick(main.Command1, Qt::LeftButton);
        if (active)
            QTRY_COMPARE(QApplication::activeWindow(), &box);
        else
            QVERIFY(QApplication::activeWindow() != &box);
        box.setWindowState(Qt::WindowMinimized);
        QCOMPARE(bool(main.windowState() & Qt::WindowMinimized), active);
        box.reject();
    }

    void tuningPresetsNest_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<std::vector<int>>("strings");
        QTest::addColumn<QStringList>("shown");
        const QString custom = "Custom Tuning";
        QTest::addRow("Standard to Drop-D") << 0 << 1 << std::vector<int>{6} << QStringList{"Drop-D"};
        QTest::addRow("Standard to Double Drop-D, through Drop-D")
            << 0 << 2 << std::vector<int>{6, 1} << QStringList{"Drop-D", "Double Drop-D"};
        QTest::addRow("Open G to Standard") << 5 << 0 << std::vector<int>{6, 5, 1}
                                            << QStringList{custom, custom, "Standard"};
        QTest::addRow("Open D to Standard") << 4 << 0 << std::vector<int>{6, 3, 2, 1}
                                            << QStringList{custom, custom, custom, "Standard"};
        QTest::addRow("Standard to Custom Tuning") << 0 << 8 << std::vector<int>{} << QStringList{};
    }

    void tuningPresetsNest()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(std::vector<int>, strings);
        QFETCH(QStringList, shown);
        FretSight &main = startProgram();
        Tuning &tuning = forms::tuning();
        clickAndWait(main.Command1, &tuning);
        tuning.Combo1->setCurrentIndex(from);
        std::vector<int> changed;
        QCOMPARE(presetTrail(tuning, &changed, [&] { tuning.Combo1->setCurrentIndex(to); }), shown);
        QCOMPARE(changed, strings);
        QCOMPARE(tuning.Combo1->currentIndex(), to);
        QVERIFY(tuning.Command1->hasFocus());
        QCOMPARE(main.Label3[6]->text(), QStringLiteral("E")); // only after OK
        clickAndWait(tuning.Command1, &main);
        QCOMPARE(main.Label3[6]->text(), tuning.Combo2[6]->currentText());
    }

    // The soak covers ticks, Cancel and titles; here what it may not reach.
    void copyWithNoKeyTickedGivesTheHeaderInTextAndHtml()
    {
        FretSight &main = startProgram();
        Clip &clip = forms::clip();
        clickAndWait(main.Command3, &clip);
        for (QCheckBox *box : clip.Check1)
            box->setChecked(false);
        clickAndWait(clip.Command1, &main);
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->text().count('\r'), 5);
        QVERIFY(data->html().contains("<pre") && data->html().contains("FretSight Scale Diagrams\n"));
        // Word processors look for RTF under either name.
        QVERIFY(data->data("text/rtf").startsWith("{\\rtf1"));
        QCOMPARE(data->data("text/richtext"), data->data("text/rtf"));
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
