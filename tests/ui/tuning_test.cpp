#include "uitest.h"

#include <QPushButton>
#include <QSignalSpy>

using namespace uitest;

namespace {

QString presetText() { return forms::tuning().Combo1->currentText(); }

// Opens the dialog from the main window, as the user does.
Tuning &openTuning(FretSight &main)
{
    QTest::mouseClick(main.Command1, Qt::LeftButton);
    Tuning &tuning = forms::tuning();
    waitForActivation(tuning);
    return tuning;
}

// Records each string that changes, in order, with what the preset list
// shows once the dialog has recognised the new notes.
struct Recorder {
    std::vector<int> strings;
    std::vector<QString> shown;
    std::vector<QMetaObject::Connection> links;

    explicit Recorder(Tuning &tuning)
    {
        for (int s = 1; s <= 6; ++s)
            links.push_back(QObject::connect(tuning.Combo2[s], &QComboBox::currentIndexChanged,
                                             [this, s, &tuning] {
                                                 strings.push_back(s);
                                                 shown.push_back(tuning.Combo1->currentText());
                                             }));
    }
    ~Recorder()
    {
        for (auto &link : links)
            QObject::disconnect(link);
    }
};

void setStrings(Tuning &tuning, const music::Tuning &notes)
{
    for (int s = 1; s <= 6; ++s)
        tuning.Combo2[s]->setCurrentIndex(notes[s - 1]);
}

} // namespace

class TuningTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() { forms::unloadAll(); }

    void loadsHiddenWithStandard()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        Tuning &tuning = forms::tuning();
        QVERIFY(!tuning.isVisible());
        QCOMPARE(presetText(), QStringLiteral("Standard"));
        QCOMPARE(currentTuning(), (music::Tuning{4, 11, 7, 2, 9, 4}));
        QCOMPARE(tuning.Combo1->count(), 9);
        QCOMPARE(tuning.Combo1->itemText(8), QStringLiteral("Custom Tuning"));
        for (int s = 1; s <= 6; ++s)
            QCOMPARE(tuning.Combo2[s]->count(), 12);
    }

    void openingPutsFocusOnOk()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        Tuning &tuning = openTuning(main);
        QVERIFY(tuning.isVisible());
        QTRY_VERIFY(tuning.Command1->hasFocus());
        QCOMPARE(tuning.windowTitle(), QStringLiteral("Tuning of Strings"));
    }

    void presetsAreWrittenFromStringSixToOne()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        Tuning &tuning = openTuning(main);
        {
            Recorder rec(tuning);
            tuning.Combo1->setCurrentIndex(1); // Drop-D: string 6 alone
            QCOMPARE(rec.strings, (std::vector<int>{6}));
            QCOMPARE(presetText(), QStringLiteral("Drop-D"));
        }
        tuning.Combo1->setCurrentIndex(5); // Open G
        QCOMPARE(currentTuning(), (music::Tuning{2, 11, 7, 2, 7, 2}));
        Recorder rec(tuning);
        tuning.Combo1->setCurrentIndex(0); // back to Standard
        QCOMPARE(rec.strings, (std::vector<int>{6, 5, 1}));
        // The half-applied states show as "Custom Tuning" on the way.
        QCOMPARE(rec.shown, (std::vector<QString>{"Custom Tuning", "Custom Tuning", "Standard"}));
        QCOMPARE(currentTuning(), (music::Tuning{4, 11, 7, 2, 9, 4}));
        QVERIFY(tuning.Command1->hasFocus());
    }

    void halfAppliedStatesCanMatchOtherPresets()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        Tuning &tuning = openTuning(main);
        tuning.Combo1->setCurrentIndex(3); // DADGAD from Standard
        Recorder rec(tuning);
        tuning.Combo1->setCurrentIndex(4); // Open D: only string 3 changes
        QCOMPARE(rec.strings, (std::vector<int>{3}));
        QCOMPARE(presetText(), QStringLiteral("Open D"));

        Recorder back(tuning);
        tuning.Combo1->setCurrentIndex(0);
        QCOMPARE(back.strings, (std::vector<int>{6, 3, 2, 1}));
        QCOMPARE(back.shown, (std::vector<QString>{"Custom Tuning", "Custom Tuning", "Custom Tuning",
                                                   "Standard"}));

        // From "Standard", "Double Drop-D" passes through "Drop-D" once
        // string 6 is written.
        Recorder drop(tuning);
        tuning.Combo1->setCurrentIndex(2);
        QCOMPARE(drop.strings, (std::vector<int>{6, 1}));
        QCOMPARE(drop.shown, (std::vector<QString>{"Drop-D", "Double Drop-D"}));
        QCOMPARE(currentTuning(), (music::Tuning{2, 11, 7, 2, 9, 2}));
    }

    void handEditsAreRecognised()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        Tuning &tuning = openTuning(main);
        tuning.Combo2[6]->setCurrentIndex(2);
        QCOMPARE(presetText(), QStringLiteral("Drop-D"));
        tuning.Combo2[1]->setCurrentIndex(2);
        QCOMPARE(presetText(), QStringLiteral("Double Drop-D"));
        tuning.Combo2[2]->setCurrentIndex(9);
        QCOMPARE(presetText(), QStringLiteral("DADGAD"));
        tuning.Combo2[3]->setCurrentIndex(6);
        QCOMPARE(presetText(), QStringLiteral("Open D"));
        QVERIFY(tuning.Command1->hasFocus());

        setStrings(tuning, {4, 11, 7, 2, 9, 4});
        QCOMPARE(presetText(), QStringLiteral("Standard"));
        tuning.Combo2[3]->setCurrentIndex(9);
        QCOMPARE(presetText(), QStringLiteral("Custom Tuning"));
        tuning.Combo2[3]->setCurrentIndex(7);
        QCOMPARE(presetText(), QStringLiteral("Standard"));
    }

    void customTuningChangesNoNote()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        Tuning &tuning = openTuning(main);
        Recorder rec(tuning);
        tuning.Combo1->setCurrentIndex(8);
        QCOMPARE(presetText(), QStringLiteral("Custom Tuning"));
        tuning.Combo1->setCurrentIndex(0);
        QCOMPARE(presetText(), QStringLiteral("Standard"));
        QVERIFY(rec.strings.empty());
        QVERIFY(tuning.Command1->hasFocus());
    }

    void keyboardStepMovesFocusToOk()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        Tuning &tuning = openTuning(main);
        tuning.Combo2[3]->setFocus();
        QTest::keyClick(tuning.Combo2[3], Qt::Key_Down); // G -> G#
        QCOMPARE(tuning.Combo2[3]->currentText(), QStringLiteral("G#"));
        QCOMPARE(presetText(), QStringLiteral("Custom Tuning"));
        QVERIFY(tuning.Command1->hasFocus());

        tuning.Combo1->setFocus();
        QTest::keyClick(tuning.Combo1, Qt::Key_Up); // Custom Tuning -> Lute
        QCOMPARE(presetText(), QStringLiteral("Lute (Viheula)"));
        QCOMPARE(currentTuning(), (music::Tuning{4, 11, 6, 2, 9, 4}));
        QVERIFY(tuning.Command1->hasFocus());
    }

    void tabOrder()
    {
        startProgram();
        Tuning &tuning = forms::tuning();
        QList<QWidget *> expected = {tuning.Combo1};
        for (int s = 1; s <= 6; ++s)
            expected << tuning.Combo2[s];
        expected << tuning.Command1;
        QCOMPARE(tabChain(&tuning, tuning.Combo1), expected);
    }

    void boardFollowsTheTuningOnlyAfterOk()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        main.Combo1->setCurrentIndex(2); // D major
        Tuning &tuning = openTuning(main);
        tuning.Combo1->setCurrentIndex(4); // Open D
        QCOMPARE(main.Label3[3]->text(), QStringLiteral("G"));
        QCOMPARE(boardRow(main, 3), std::string("4.5.6.71.2.34"));

        QTest::mouseClick(tuning.Command1, Qt::LeftButton);
        QVERIFY(!tuning.isVisible());
        QVERIFY(main.isEnabled());
        QTRY_COMPARE(main.Label3[3]->text(), QStringLiteral("F#"));
        const char *open[] = {"", "D", "A", "F#", "D", "A", "D"};
        for (int s = 1; s <= 6; ++s)
            QCOMPARE(main.Label3[s]->text(), QString::fromLatin1(open[s]));
        QString why;
        QVERIFY2(boardMatches(main, 0, 2, {2, 9, 6, 2, 9, 2}, &why), qPrintable(why));

        // Reopening shows the same seven selections.
        openTuning(main);
        QCOMPARE(presetText(), QStringLiteral("Open D"));
        QCOMPARE(currentTuning(), (music::Tuning{2, 9, 6, 2, 9, 2}));
    }

    void everyWayOfClosingReturnsToTheMainWindow()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        Tuning &tuning = openTuning(main);
        tuning.Combo2[6]->setCurrentIndex(2);
        QTest::keyClick(&tuning, Qt::Key_Escape);
        QVERIFY(!tuning.isVisible());
        QVERIFY(main.isEnabled());
        QTRY_COMPARE(main.Label3[6]->text(), QStringLiteral("D"));

        openTuning(main);
        QVERIFY(!tuning.close()); // the frame's close button only hides
        QVERIFY(!tuning.isVisible());
        QVERIFY(main.isEnabled());
        QCOMPARE(presetText(), QStringLiteral("Drop-D"));
    }
};

QTEST_MAIN(TuningTest)
#include "tuning_test.moc"
