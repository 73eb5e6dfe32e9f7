#include "uitest.h"

#include "dialogs/about.h"
#include "dialogs/clip.h"
#include "common/diagram_fixtures.h"

#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <QWindow>

using namespace uitest;

namespace {

QString clipboardText() { return QGuiApplication::clipboard()->text(); }

Clip &openClip(FretSight &main)
{
    QTest::mouseClick(main.Command3, Qt::LeftButton);
    waitForActivation(forms::clip());
    return forms::clip();
}

void tickOnly(Clip &clip, std::initializer_list<int> keys)
{
    for (QCheckBox *box : clip.Check1)
        box->setChecked(false);
    for (int k : keys) // on the box itself, as a user clicks
        QTest::mouseClick(clip.Check1[k], Qt::LeftButton, {}, QPoint(6, clip.Check1[k]->height() / 2));
}

const QString WorkedExample = QString::fromStdString(fixtures::WorkedExample);

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() { forms::unloadAll(); }

    void firstCopyTakesAllTwelveKeys()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        Clip &clip = openClip(main);
        QCOMPARE(clip.windowTitle(), QStringLiteral("Copy Scales to Clipboard"));
        for (QCheckBox *box : clip.Check1)
            QVERIFY(box->isChecked());
        QTest::mouseClick(clip.Command1, Qt::LeftButton);
        QVERIFY(!clip.isVisible());
        QVERIFY(main.isEnabled());

        const QString text = clipboardText();
        QVERIFY(!text.contains(QLatin1Char('\n')));
        const QStringList lines = text.split(QLatin1Char('\r'));
        QCOMPARE(lines.size(), 5 + 12 * 11 + 1); // the last CR ends the last line
        const char *keys[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
        for (int k = 0; k < 12; ++k)
            QCOMPARE(lines[5 + 11 * k], QStringLiteral("%1 Major Scale, Standard Tuning.").arg(keys[k]));
        QVERIFY(text.startsWith(WorkedExample));
    }

    void workedExampleExactly()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        main.Combo1->setCurrentIndex(7); // the main window's key plays no part
        Clip &clip = openClip(main);
        tickOnly(clip, {0});
        QTest::mouseClick(clip.Command1, Qt::LeftButton);
        QCOMPARE(clipboardText(), WorkedExample);
    }

    void noKeyGivesTheHeaderAlone()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        Clip &clip = openClip(main);
        tickOnly(clip, {});
        QTest::mouseClick(clip.Command1, Qt::LeftButton);
        QVERIFY(!clip.isVisible());
        QCOMPARE(clipboardText(),
                 QStringLiteral("FretSight Scale Diagrams\r\rThe following are fretboard diagram(s) "
                                "showing scale patterns, copied from FretSight.\r\r\r"));
    }

    void cancelKeepsClipboardAndTicks()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
        Clip &clip = openClip(main);
        tickOnly(clip, {3, 8});
        QTest::mouseClick(clip.Command2, Qt::LeftButton);
        QVERIFY(!clip.isVisible());
        QVERIFY(main.isEnabled());
        QCOMPARE(clipboardText(), QStringLiteral("earlier"));

        openClip(main);
        for (int k = 0; k < 12; ++k)
            QCOMPARE(clip.Check1[k]->isChecked(), k == 3 || k == 8);
        QTest::mouseClick(clip.Command1, Qt::LeftButton);
        openClip(main);
        for (int k = 0; k < 12; ++k)
            QCOMPARE(clip.Check1[k]->isChecked(), k == 3 || k == 8);
    }

    void enterOnABoxDoesNotCopy()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
        Clip &clip = openClip(main);
        clip.Check1[0]->setFocus();
        QTest::keyClick(clip.Check1[0], Qt::Key_Return);
        QVERIFY(clip.isVisible());
        QCOMPARE(clipboardText(), QStringLiteral("earlier"));
        clip.Command1->setFocus();
        QTest::keyClick(clip.Command1, Qt::Key_Return);
        QVERIFY(!clip.isVisible());
        QVERIFY(clipboardText().startsWith(QStringLiteral("FretSight Scale Diagrams\r")));
    }

    void tabOrder()
    {
        startProgram();
        Clip &clip = forms::clip();
        QList<QWidget *> expected(clip.Check1.begin(), clip.Check1.end());
        expected << clip.Command1 << clip.Command2;
        QCOMPARE(tabChain(&clip, clip.Check1[0]), expected);
        QCOMPARE(clip.Check1[4]->geometry().topLeft(), QPoint(80, 120));
    }

    void dialogsShowBeforeDisablingAndEnableBeforeHiding_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("how");
        const char *names[] = {"tuning", "copy", "about"};
        const char *ways[] = {"button", "escape", "frame"};
        for (int which = 0; which < 3; ++which)
            for (int how = 0; how < 3; ++how)
                QTest::addRow("%s-%s", names[which], ways[how]) << which << how;
    }

    void dialogsShowBeforeDisablingAndEnableBeforeHiding()
    {
        QFETCH(int, which);
        QFETCH(int, how);
        FretSight &main = startProgram();
        waitForActivation(main);
        QWidget *dialog = which == 0 ? static_cast<QWidget *>(&forms::tuning())
                          : which == 1 ? static_cast<QWidget *>(&forms::clip())
                                       : static_cast<QWidget *>(&forms::about());
        QPushButton *opener = which == 0 ? main.Command1 : which == 1 ? main.Command3 : main.Command2;
        QPushButton *closer = which == 0   ? forms::tuning().Command1
                              : which == 1 ? forms::clip().Command2
                                           : forms::about().Command1;
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
        OrderProbe probe(dialog);
        const int count = main.refreshCount();

        QTest::mouseClick(opener, Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QVERIFY(!main.isEnabled());
        waitForActivation(*dialog);
        QVERIFY(QApplication::activeWindow() == dialog);
        if (how == 0)
            QTest::mouseClick(closer, Qt::LeftButton);
        else if (how == 1)
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            dialog->close();

        // Kept above the main window, which it belongs to.
        QCOMPARE(dialog->windowHandle()->transientParent(), main.windowHandle());
        QCOMPARE(probe.steps, (std::vector<std::string>{"show/main-enabled", "hide/main-enabled"}));
        QVERIFY(!dialog->isVisible());
        QVERIFY(main.isEnabled());
        QTRY_VERIFY(main.isActiveWindow());
        QTRY_VERIFY(main.refreshCount() > count);
        QCOMPARE(clipboardText(), QStringLiteral("earlier")); // no way but the button copies
    }

    void aboutBoxIsTheSameEachTime()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        QTest::mouseClick(main.Command2, Qt::LeftButton);
        About &about = forms::about();
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
        QCOMPARE(about.Label1->text(), QStringLiteral("FretSight"));
        QVERIFY(!about.Image1->pixmap().isNull());
        QCOMPARE(about.Image1->pixmap().size(), QSize(32, 32));
        const QString request = about.Label2[3]->text();
        QTest::mouseClick(about.Command1, Qt::LeftButton);
        main.Combo1->setCurrentIndex(5);
        QTest::mouseClick(main.Command2, Qt::LeftButton);
        QCOMPARE(&forms::about(), &about);
        QCOMPARE(about.Label2[3]->text(), request);
        QCOMPARE(about.focusWidget(), about.Command1);
        QTest::mouseClick(about.Command1, Qt::LeftButton);
        QVERIFY(main.isEnabled());
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
