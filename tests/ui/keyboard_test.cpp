// The whole round trip from the keyboard alone: pick a key and a scale,
// choose a tuning preset, copy the diagrams. Every key goes to whichever
// widget has the focus, as a keyboard user's would.

#include "uitest.h"

#include "dialogs/clip.h"

#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>

using namespace uitest;

namespace {

void press(Qt::Key key)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY2(target, "nothing has the keyboard focus");
    QTest::keyClick(target, key);
    QApplication::processEvents();
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() { forms::unloadAll(); }

    void pickTuneAndCopyWithoutAMouse()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        QCOMPARE(QApplication::focusWidget(), main.Picture1);

        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), main.Combo1);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(main.Combo1->currentText(), QStringLiteral("D"));
        press(Qt::Key_Tab);
        press(Qt::Key_Down);
        QCOMPARE(main.Combo2->currentText(), QStringLiteral("Minor"));

        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), main.Command1);
        press(Qt::Key_Space);
        Tuning &tuning = forms::tuning();
        waitForActivation(tuning);
        QCOMPARE(QApplication::focusWidget(), tuning.Command1);
        press(Qt::Key_Tab); // round to the preset list
        QCOMPARE(QApplication::focusWidget(), tuning.Combo1);
        press(Qt::Key_Down);
        QCOMPARE(tuning.Combo1->currentText(), QStringLiteral("Drop-D"));
        QCOMPARE(QApplication::focusWidget(), tuning.Command1);
        press(Qt::Key_Return);
        QVERIFY(!tuning.isVisible());
        waitForActivation(main);
        QCOMPARE(main.Label3[6]->text(), QStringLiteral("D"));

        // The focus is back on the button that opened the dialog.
        QCOMPARE(QApplication::focusWidget(), main.Command1);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), main.Command3);
        press(Qt::Key_Space);
        Clip &clip = forms::clip();
        waitForActivation(clip);
        QCOMPARE(QApplication::focusWidget(), clip.Check1[0]);
        press(Qt::Key_Space); // untick "C"
        for (int i = 0; i < 12; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), clip.Command1);
        press(Qt::Key_Space);
        QVERIFY(!clip.isVisible());
        waitForActivation(main);

        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\r'));
        QCOMPARE(lines.size(), 5 + 11 * 11 + 1);
        QCOMPARE(lines[5], QStringLiteral("C# Minor Scale, Drop-D Tuning."));
        QString why;
        QVERIFY2(boardMatches(main, 1, 2, {4, 11, 7, 2, 9, 2}, &why), qPrintable(why));
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
