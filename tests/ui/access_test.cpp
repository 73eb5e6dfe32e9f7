// SPDX-License-Identifier: GPL-3.0-or-later
// What keyboard and screen-reader users get, in process: every key the
// board and the dialogs handle, what the program tells assistive technology
// (recorded as a screen reader's bridge receives it), and the focus marks
// in pixels.
#include "uitest.h"

#include "dialogs/about.h"
#include "dialogs/clip.h"
#include "widgets/focusstyle.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QKeySequence>
#include <QPushButton>

using namespace uitest;

namespace {

// The focus events a screen reader heard: the names of the objects that took
// the focus, and their places among their parents' children.
QStringList g_focus;
QList<int> g_places;

void record(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    if (event->type() == QAccessible::Focus && iface) {
        g_focus << iface->text(QAccessible::Name);
        g_places << iface->parent()->indexOfChild(iface);
    }
}

void press(QWidget *widget, const QString &keys)
{
    for (const QString &key : keys.split(' ', Qt::SkipEmptyParts))
        QTest::keyClick(widget, QKeySequence(key)[0].key());
}

QString point(int string, int fret)
{
    static const int standard[7] = {0, 4, 11, 7, 2, 9, 4};
    return pointName(string, fret, "101011010101", 0, standard[string]);
}

void collectTexts(QAccessibleInterface *iface, QStringList *texts)
{
    *texts << iface->text(QAccessible::Name) << iface->text(QAccessible::Description);
    for (int i = 0; i < iface->childCount(); ++i)
        collectTexts(iface->child(i), texts);
}

QImage look(QWidget *w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

QRect changedArea(const QImage &a, const QImage &b)
{
    QRect area;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

class AccessTest : public QObject {
    Q_OBJECT

    FretSight *main = nullptr;
    QAccessibleInterface *board = nullptr;

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QApplication::setStyle(new FocusStyle);
        QAccessible::installUpdateHandler(record);
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 10000); // the bridge is up
    }

    void init()
    {
        main = &startProgram();
        board = QAccessible::queryAccessibleInterface(main->Picture1);
        QTRY_VERIFY(main->Picture1->hasFocus()); // the board has the focus at start
        g_focus.clear(), g_places.clear();
    }

    void cleanup() { forms::unloadAll(); }

    // Each key from the start, at each edge of the board, and Home and End:
    // the points reached, by their spoken names, or the edge that was met.
    void boardKeys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("Right first") << "Right" << QStringList{point(1, 1)};
        QTest::newRow("Left first: the start point, no edge") << "Left" << QStringList{point(1, 0)};
        QTest::newRow("Up first: the start point, no edge") << "Up" << QStringList{point(1, 0)};
        QTest::newRow("Left at fret 0") << "Right Left Left" << QStringList{point(1, 1), point(1, 0), "No fret below 0"};
        QTest::newRow("Right at fret 12") << "End Right" << QStringList{point(1, 12), "No fret above 12"};
        QTest::newRow("Home") << "End Left Home" << QStringList{point(1, 12), point(1, 11), point(1, 0)};
        QTest::newRow("Up at string 1") << "Down Up Up" << QStringList{point(2, 0), point(1, 0), "No string above string 1"};
        QTest::newRow("Down at string 6") << "Down Down Down Down Down Down"
                                          << QStringList{point(2, 0), point(3, 0), point(4, 0), point(5, 0),
                                                         point(6, 0), "No string below string 6"};
    }

    void boardKeys()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, heard);
        press(main->Picture1, keys);
        QCOMPARE(g_focus, heard);
        QCOMPARE(board->focusChild()->text(QAccessible::Name), heard.last());
        QVERIFY(board->focusChild()->state().focused);
    }

    // An edge met again is said again: two notes take the focus in turn, for
    // a screen reader says nothing when the focus stays where it is. The
    // next point takes the focus back from them.
    void passingNotesTakeTurnsAndGiveTheFocusBack()
    {
        press(main->Picture1, "Left Left Left Left Right");
        QCOMPARE(g_focus.size(), 5);
        const int points = 78;
        QCOMPARE(g_places.mid(1), QList<int>({points, points + 1, points, 1}));
        QCOMPARE(board->focusChild()->text(QAccessible::Name), point(1, 1));
        QVERIFY(!board->child(points)->state().focused && !board->child(points + 1)->state().focused);
    }

    // Every list says its value as spoken, and has it selected in its
    // drop-down, where screen readers read it, open or not.
    void listsSayTheirValue_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("item"); // reached with Up from the item below it
        QTest::addColumn<QString>("spoken");
        QTest::newRow("key") << 0 << "C#" << "C sharp";
        QTest::newRow("scale type") << 1 << "Melodic Minor (Locrian, #2)" << "Melodic Minor (Locrian, sharp 2)";
        QTest::newRow("preset") << 2 << "Drop-D" << "Drop-D";
        QTest::newRow("string 6") << 3 << "D#" << "D sharp";
    }

    void listsSayTheirValue()
    {
        QFETCH(int, list);
        QFETCH(QString, item);
        QFETCH(QString, spoken);
        Tuning &tuning = forms::tuning();
        if (list >= 2)
            clickAndWait(main->Command1, &tuning);
        QComboBox *box = std::array{main->Combo1, main->Combo2, tuning.Combo1, tuning.Combo2[6]}[list];
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(box);
        box->setCurrentIndex(box->findText(item) + 1);
        box->setFocus();
        g_focus.clear(), g_places.clear();
        press(box, "Up");
        QCOMPARE(iface->text(QAccessible::Name), spoken);
        QCOMPARE(iface->text(QAccessible::Value), spoken);
        const QModelIndexList selected = box->view()->selectionModel()->selectedIndexes();
        QVERIFY(selected.size() == 1 && selected[0].row() == box->currentIndex());
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
        // Qt 6.4's change events carry no text: a passing note says the
        // value, unless the change moves the focus on (the tuning dialog's).
        if (list < 2)
            QVERIFY(g_focus.contains(spoken) && QList<int>({1, 2}).contains(g_places[g_focus.indexOf(spoken)]));
#endif
    }

    // After each change in the tuning dialog the focus is back on OK, whose
    // description says what changed; the dialog opened again says nothing
    // old.
    void tuningChangesAreToldWithOk_data()
    {
        QTest::addColumn<bool>("reopened");
        QTest::addColumn<int>("list"); // 0: the presets, else a string
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("told");
        QTest::newRow("a string") << false << 6 << "Up" << "String 6: D sharp; Custom Tuning";
        QTest::newRow("a string to a preset") << false << 6 << "Up Up" << "String 6: D; Drop-D";
        QTest::newRow("a preset, opened again") << true << 0 << "Down" << "Drop-D: D A D G B E";
        QTest::newRow("string 1, opened again") << true << 1 << "Down" << "String 1: F; Custom Tuning";
    }

    void tuningChangesAreToldWithOk()
    {
        QFETCH(bool, reopened);
        QFETCH(int, list);
        QFETCH(QString, keys);
        QFETCH(QString, told);
        Tuning &tuning = forms::tuning();
        clickAndWait(main->Command1, &tuning);
        if (reopened) {
            press(tuning.Combo2[5], "Up");
            clickAndWait(tuning.Command1, main);
            tuning.Combo1->setCurrentIndex(0);
            clickAndWait(main->Command1, &tuning);
        }
        QCOMPARE(tuning.Command1->accessibleDescription(), QString());
        QComboBox *box = list ? tuning.Combo2[list] : tuning.Combo1;
        for (const QString &key : keys.split(' ')) {
            box->setFocus();
            g_focus.clear(), g_places.clear();
            press(box, key);
            QCOMPARE(QApplication::focusWidget(), tuning.Command1);
        }
        QCOMPARE(g_focus.last(), QStringLiteral("OK"));
        QCOMPARE(QAccessible::queryAccessibleInterface(tuning.Command1)->text(QAccessible::Description), told);
    }

    // Nothing any window gives a screen reader shows the sharp sign, which
    // speech reads as "hash"; the copy dialog's boxes are named by key.
    void everyNameSaysSharp()
    {
        for (int k = 0; k < 12; ++k)
            QCOMPARE(forms::clip().Check1[k]->accessibleName(), "Key " + spokenNote(k));
        main->Combo1->setCurrentIndex(1);
        press(main->Picture1, "Right");
        QStringList texts;
        for (QWidget *window : std::initializer_list<QWidget *>{main, &forms::tuning(), &forms::clip(), &forms::about()})
            collectTexts(QAccessible::queryAccessibleInterface(window), &texts);
        QVERIFY(texts.join('|').contains("C sharp"));
        // The about box's short texts, which screen readers pass over as it
        // opens, told by OK, where the focus goes.
        QCOMPARE(forms::about().Command1->accessibleDescription(),
                 QStringLiteral("FretSight, Version 1.0. Write to feedback@fretsight.org"));
        for (const QString &text : texts)
            QVERIFY2(!text.contains('#'), qPrintable(text));
    }

    // The main window activated by the window manager (a click, the task
    // bar) while a dialog is open gives the dialog back the focus.
    void activatingTheMainWindowReturnsToTheDialog()
    {
        clickAndWait(main->Command1, &forms::tuning());
        QWidget elsewhere; // another program's window has the focus first
        elsewhere.show();
        elsewhere.activateWindow();
        waitUntilActive(&elsewhere);
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(main);
        QT_WARNING_POP
        QCOMPARE(QApplication::activeWindow(), main);
        QTRY_COMPARE(QApplication::activeWindow(), &forms::tuning());
    }

    // The focus is marked with a solid frame in the control's text colour,
    // however the control got it.
    void focusMarks_data()
    {
        QTest::addColumn<int>("control");
        QTest::newRow("button") << 0;
        QTest::newRow("list") << 1;
        QTest::newRow("key box") << 2;
    }

    void focusMarks()
    {
        QFETCH(int, control);
        if (control == 2)
            clickAndWait(main->Command3, &forms::clip());
        QWidget *w = std::array<QWidget *, 3>{main->Command1, main->Combo1, forms::clip().Check1[3]}[control];
        w->clearFocus();
        const QImage plain = look(w);
        w->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(w->hasFocus());
        const QImage marked = look(w);
        const QRect frame = changedArea(plain, marked);
        QVERIFY(frame.width() >= 10 && frame.height() >= 10);
        const QRgb colour = w->palette().color(control == 2 ? QPalette::WindowText : QPalette::ButtonText).rgb();
        for (const QPoint &p : {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()})
            for (int i = 0; i < std::min(frame.width(), frame.height()); ++i)
                QVERIFY(marked.pixel(p + QPoint(p.x() == frame.left() ? i : -i, 0)) == colour &&
                        marked.pixel(p + QPoint(0, p.y() == frame.top() ? i : -i)) == colour);
    }

    // The board's focus: white, then black, inside its border all round; the
    // point reached ringed; both gone once the focus leaves.
    void boardFocusAndRing()
    {
        FretboardView *view = main->Picture1;
        const QImage focused = look(view);
        view->clearFocus();
        const QImage plain = look(view);
        QVERIFY(changedArea(plain, focused).size().boundedTo(view->size() - QSize(8, 8)) == view->size() - QSize(8, 8));
        // From each side's middle inwards: a white line, then a black one.
        const QPoint c = view->rect().center();
        for (const auto &[from, step] : {std::pair{QPoint(c.x(), 0), QPoint(0, 1)},
                                        {QPoint(c.x(), view->height() - 1), QPoint(0, -1)},
                                        {QPoint(0, c.y()), QPoint(1, 0)}, {QPoint(view->width() - 1, c.y()), QPoint(-1, 0)}}) {
            QString inward;
            for (int i = 0; i < 6; ++i)
                inward += focused.pixel(from + i * step) == qRgb(255, 255, 255) ? 'w'
                          : focused.pixel(from + i * step) == qRgb(0, 0, 0) ? 'b' : '.';
            QVERIFY2(inward.contains("wb"), qPrintable(inward));
        }
        view->setFocus(Qt::TabFocusReason);
        press(view, "Down");
        const QRect ring = changedArea(focused, look(view));
        QVERIFY(ring.width() <= 24 && ring.height() <= 24 && ring.contains(main->Shape[2][0]->geometry()));
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(look(view), plain);
    }
};

QTEST_MAIN(AccessTest)
#include "access_test.moc"
