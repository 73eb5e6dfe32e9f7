#include "uitest.h"

#include "dialogs/about.h"
#include "dialogs/clip.h"

#include <QPushButton>
#include <QSignalSpy>

using namespace uitest;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() { forms::unloadAll(); }

    void startupDrawsOnlyAfterActivation()
    {
        forms::unloadAll();
        FretSight &main = forms::fretSight();
        // Load has filled and selected both lists and shown the window, but
        // the selections drew nothing and the tuning dialog does not exist.
        QVERIFY(main.isVisible());
        QCOMPARE(main.Combo1->currentText(), QStringLiteral("C"));
        QCOMPARE(main.Combo2->currentText(), QStringLiteral("Major"));
        QCOMPARE(main.refreshCount(), 0);
        QVERIFY(!forms::tuningLoaded());
        for (int s = 1; s <= 6; ++s)
            for (int f = 0; f < 13; ++f)
                QVERIFY(!main.Shape[s][f]->isVisibleTo(main.Picture1));

        waitForActivation(main);
        QVERIFY(forms::tuningLoaded());
        QVERIFY(!forms::tuning().isVisible());
        QCOMPARE(main.refreshCount(), 1);
        QCOMPARE(boardRow(main, 1), std::string("34.5.6.71.2.3"));
        QCOMPARE(boardRow(main, 5), std::string("6.71.2.34.5.6"));
        QCOMPARE(main.Shape[1][8]->fillColor(), board::Red);
        QCOMPARE(main.Shape[5][3]->fillColor(), board::Red);
        QCOMPARE(main.Shape[1][7]->fillColor(), board::Yellow);
        const char *open[] = {"", "E", "B", "G", "D", "A", "E"};
        for (int s = 1; s <= 6; ++s)
            QCOMPARE(main.Label3[s]->text(), QString::fromLatin1(open[s]));
    }

    void listsHoldTheCatalogueInOrder()
    {
        FretSight &main = startProgram();
        QCOMPARE(main.Combo1->count(), 12);
        for (int n = 0; n < 12; ++n)
            QCOMPARE(main.Combo1->itemText(n).toStdString(), std::string(music::NoteNames[n]));
        QCOMPARE(main.Combo2->count(), 65);
        QCOMPARE(main.Combo2->itemText(15), QStringLiteral("Phygian"));
        QCOMPARE(main.Combo2->itemText(39), QStringLiteral("Ethopian"));
        QCOMPARE(main.Combo2->itemText(64), QStringLiteral("Spanish Eight-Tone"));
        QVERIFY(!main.Combo1->isEditable());
        QVERIFY(!main.Combo2->isEditable());
    }

    void everyKeyAndScaleRedrawsTheWholeBoard()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        const music::Tuning standard = currentTuning();
        QString why;
        // Walk through the scale types and keys in an order that makes
        // points change between shown, hidden, root and non-root.
        for (int t = 0; t < 65; ++t) {
            main.Combo2->setCurrentIndex(t);
            for (int k : {0, 7, 2, 9, 4, 11, 6, 1, 8, 3, 10, 5}) {
                main.Combo1->setCurrentIndex(k);
                QVERIFY2(boardMatches(main, t, k, standard, &why), qPrintable(why));
            }
        }
        main.Combo2->setCurrentIndex(0);
        main.Combo1->setCurrentIndex(9); // A major: open E is degree 5
        QCOMPARE(main.Degree[1][0]->text(), QStringLiteral("5"));
        QCOMPARE(main.Shape[1][5]->fillColor(), board::Red);
    }

    void tabOrder()
    {
        FretSight &main = startProgram();
        const QList<QWidget *> expected = {main.Picture1, main.Combo1,   main.Combo2,  main.Command1,
                                           main.Command2, main.Command3, main.Command4};
        QCOMPARE(tabChain(&main, main.Picture1), expected);
    }

    void disabledWhileADialogIsOpen()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        QTest::mouseClick(main.Command1, Qt::LeftButton);
        QVERIFY(forms::tuning().isVisible());
        QVERIFY(!main.isEnabled());

        QTest::keyClick(main.Combo1, Qt::Key_Down);
        QTest::mouseClick(main.Command3, Qt::LeftButton);
        QCOMPARE(main.Combo1->currentIndex(), 0);
        QVERIFY(!forms::clip().isVisible());
        QVERIFY(!main.isEnabled());
    }

    void everyDialogRedrawsOnReturn()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        int count = main.refreshCount();
        QTest::mouseClick(main.Command2, Qt::LeftButton);
        QTest::mouseClick(forms::about().Command1, Qt::LeftButton);
        QTRY_COMPARE(main.refreshCount(), count + 1);
        QVERIFY(main.isEnabled());

        count = main.refreshCount();
        QTest::mouseClick(main.Command3, Qt::LeftButton);
        QTest::mouseClick(forms::clip().Command2, Qt::LeftButton);
        QTRY_COMPARE(main.refreshCount(), count + 1);
        QCOMPARE(boardRow(main, 1), std::string("34.5.6.71.2.3"));
    }

    void exitEndsTheProgramWithItsDialogs()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        QTest::mouseClick(main.Command2, Qt::LeftButton);
        QTest::mouseClick(forms::about().Command1, Qt::LeftButton);
        QTest::mouseClick(main.Command4, Qt::LeftButton);
        QVERIFY(!main.isVisible());
        QVERIFY(!forms::about().isVisible());
        QVERIFY(!forms::tuning().isVisible());
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->windowTitle()));
    }

    void closingTheWindowEndsTheProgram()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        QTest::mouseClick(main.Command1, Qt::LeftButton);
        main.close(); // the frame's close, even while a dialog is shown
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->windowTitle()));
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
