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

// What a screen reader heard: each event's type, and the name, description
// and place among its parent's children of the object it came from.
struct Heard {
    QAccessible::Event type;
    QString name, description;
    int index;
};
QList<Heard> g_heard;

void record(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    if (!iface)
        return;
    const QAccessibleInterface *parent = iface->parent();
    g_heard.append({event->type(), iface->text(QAccessible::Name), iface->text(QAccessible::Description),
                    parent ? parent->indexOfChild(iface) : -1});
}

QList<Heard> focusesHeard()
{
    QList<Heard> focuses;
    for (const Heard &h : g_heard)
        if (h.type == QAccessible::Focus)
            focuses << h;
    return focuses;
}

void press(QWidget *widget, const QString &keys)
{
    for (const QString &key : keys.split(' ', Qt::SkipEmptyParts))
        QTest::keyClick(widget, QKeySequence(key)[0].key());
}

const std::string Major = "101011010101";
const int Standard[7] = {0, 4, 11, 7, 2, 9, 4};

// Every name and description under an object, with where it was found.
void collectTexts(QAccessibleInterface *iface, QStringList *texts)
{
    for (QAccessible::Text t : {QAccessible::Name, QAccessible::Description, QAccessible::Value})
        *texts << iface->text(t);
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface *child = iface->child(i))
            collectTexts(child, texts);
}

QRect changedArea(const QImage &a, const QImage &b)
{
    QRect area;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

QImage look(QWidget *w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

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
        g_heard.clear();
    }

    void cleanup() { forms::unloadAll(); }

    // Each key from the start, at each edge of the board, and Home and End:
    // the points reached, by their spoken names, or the edge that was met.
    void boardKeys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("heard");
        auto point = [](int s, int f) { return pointName(s, f, Major, 0, Standard[s]); };
        QTest::newRow("Right first") << "Right" << QStringList{point(1, 1)};
        QTest::newRow("Left first: the start point, no edge") << "Left" << QStringList{point(1, 0)};
        QTest::newRow("Up first: the start point, no edge") << "Up" << QStringList{point(1, 0)};
        QTest::newRow("Down first") << "Down" << QStringList{point(2, 0)};
        QTest::newRow("Left at fret 0") << "Right Left Left" << QStringList{point(1, 1), point(1, 0), "No fret below 0"};
        QTest::newRow("End, then Right at fret 12") << "End Right"
                                                     << QStringList{point(1, 12), "No fret above 12"};
        QTest::newRow("Home") << "End Left Home" << QStringList{point(1, 12), point(1, 11), point(1, 0)};
        QTest::newRow("Up at string 1") << "Down Up Up"
                                        << QStringList{point(2, 0), point(1, 0), "No string above string 1"};
        QStringList down;
        for (int s = 2; s <= 6; ++s)
            down << point(s, 0);
        QTest::newRow("Down at string 6") << "Down Down Down Down Down Down"
                                          << (down << "No string below string 6");
    }

    void boardKeys()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, heard);
        QCOMPARE(QApplication::focusWidget(), main->Picture1); // the board has the focus at start
        QTest::qWait(50); // what the start tells is not this test's
        g_heard.clear();
        press(main->Picture1, keys);
        QStringList names;
        for (const Heard &h : focusesHeard())
            names << h.name;
        QCOMPARE(names, heard);
        QCOMPARE(board->focusChild()->text(QAccessible::Name), heard.last());
        QVERIFY(board->focusChild()->state().focused);
    }

    // An edge met twice in a row is said twice: two notes take the focus
    // in turn, for a screen reader says nothing when the focus stays where
    // it is. The next point takes the focus back from the notes.
    void passingNotesTakeTurnsAndGiveTheFocusBack()
    {
        QTest::qWait(50);
        g_heard.clear();
        press(main->Picture1, "Left Left Left Left Right");
        const QList<Heard> heard = focusesHeard();
        QCOMPARE(heard.size(), 5);
        const int points = 78;
        QCOMPARE(heard[1].index, points);
        QCOMPARE(heard[2].index, points + 1);
        QCOMPARE(heard[3].index, points);
        QCOMPARE(heard[4].index, 1); // string 1, fret 1
        QAccessibleInterface *focused = board->focusChild();
        QCOMPARE(focused->text(QAccessible::Name), pointName(1, 1, Major, 0, 4));
        for (int n : {points, points + 1})
            QVERIFY(!board->child(n)->state().focused && board->child(n)->state().invisible);
    }

    // Every list says its value as spoken, whether the drop-down is open or
    // not, and has the shown item selected in its drop-down.
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
        g_heard.clear();
        press(box, "Up");
        QCOMPARE(iface->text(QAccessible::Name), spoken);
        QCOMPARE(iface->text(QAccessible::Value), spoken);
        const QModelIndexList selected = box->view()->selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected[0].row(), box->currentIndex());
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
        // Qt 6.4's change events carry no text: a note says the new value,
        // unless the change moves the focus on (the tuning dialog's do).
        if (list < 2) {
            const QList<Heard> heard = focusesHeard();
            QVERIFY(std::any_of(heard.begin(), heard.end(),
                                [&](const Heard &h) { return h.index >= 1 && h.name == spoken; }));
        }
#endif
    }

    // After each change in the tuning dialog the focus is back on OK, whose
    // description says what changed; the dialog opened again starts with
    // none.
    void tuningChangesAreToldWithOk_data()
    {
        QTest::addColumn<bool>("reopened");
        QTest::addColumn<int>("list"); // 0: the presets, else a string
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("told");
        for (bool reopened : {false, true}) {
            const char *when = reopened ? ", opened again" : "";
            QTest::addRow("a string%s", when) << reopened << 6 << "Up" << "String 6: D sharp; Custom Tuning";
            QTest::addRow("a string to a preset%s", when) << reopened << 6 << "Up Up" << "String 6: D; Drop-D";
            QTest::addRow("a preset%s", when) << reopened << 0 << "Down" << "Drop-D: D A D G B E";
            QTest::addRow("string 1%s", when) << reopened << 1 << "Down" << "String 1: F; Custom Tuning";
        }
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
            tuning.Combo1->setCurrentIndex(0); // back to standard, hidden
            clickAndWait(main->Command1, &tuning);
        }
        QCOMPARE(QApplication::focusWidget(), tuning.Command1);
        QCOMPARE(tuning.Command1->accessibleDescription(), QString());
        QComboBox *box = list ? tuning.Combo2[list] : tuning.Combo1;
        for (const QString &key : keys.split(' ')) {
            box->setFocus();
            g_heard.clear();
            press(box, key);
            QCOMPARE(QApplication::focusWidget(), tuning.Command1);
        }
        const QList<Heard> heard = focusesHeard();
        QVERIFY(!heard.isEmpty());
        QCOMPARE(heard.last().name, QStringLiteral("OK"));
        QCOMPARE(QAccessible::queryAccessibleInterface(tuning.Command1)->text(QAccessible::Description), told);
    }

    // Nothing any window gives a screen reader shows the sharp sign, which
    // speech reads as "hash"; the copy dialog's boxes are named by key.
    void everyNameSaysSharp()
    {
        Clip &clip = forms::clip();
        for (int k = 0; k < 12; ++k)
            QCOMPARE(QAccessible::queryAccessibleInterface(clip.Check1[k])->text(QAccessible::Name),
                     "Key " + spokenNote(k));
        main->Combo1->setCurrentIndex(1);
        forms::tuning().Combo2[1]->setCurrentIndex(1);
        press(main->Picture1, "Right");
        for (QWidget *window : std::initializer_list<QWidget *>{main, &forms::tuning(), &clip, &forms::about()}) {
            QStringList texts;
            collectTexts(QAccessible::queryAccessibleInterface(window), &texts);
            QVERIFY(texts.join(QString()).contains(QStringLiteral("sharp")) || window != main);
            for (const QString &text : texts)
                QVERIFY2(!text.contains('#'), qPrintable(text));
        }
    }

    // A held Escape repeats: only a press closes a dialog, so that an Escape
    // held from closing one dialog does not close the next as it opens.
    void heldEscapeClosesNoDialog_data()
    {
        QTest::addColumn<int>("dialog");
        QTest::newRow("tuning") << 0;
        QTest::newRow("copy") << 1;
        QTest::newRow("about") << 2;
    }

    void heldEscapeClosesNoDialog()
    {
        QFETCH(int, dialog);
        QPushButton *opener = std::array{main->Command1, main->Command3, main->Command2}[dialog];
        QWidget *box = std::array<QWidget *, 3>{&forms::tuning(), &forms::clip(), &forms::about()}[dialog];
        clickAndWait(opener, box);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(QApplication::focusWidget(), &held);
        QVERIFY(box->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!box->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), opener);
    }

    // The main window activated (a click, the task bar) while a dialog is
    // open gives the dialog back the focus.
    void activatingTheMainWindowReturnsToTheDialog()
    {
        Tuning &tuning = forms::tuning();
        clickAndWait(main->Command1, &tuning);
        QWidget elsewhere; // another program's window has the focus first
        elsewhere.show();
        elsewhere.activateWindow();
        waitUntilActive(&elsewhere);
        // Then the window manager activates the main window, which itself
        // asks for no focus while it is disabled.
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        QApplication::setActiveWindow(main);
        QT_WARNING_POP
        QCOMPARE(QApplication::activeWindow(), main);
        QTRY_COMPARE(QApplication::activeWindow(), &tuning);
        QVERIFY(tuning.isVisible() && !main->isEnabled());
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
        QWidget *w = main->Command1;
        QPalette::ColorRole text = QPalette::ButtonText;
        if (control == 1)
            w = main->Combo1;
        if (control == 2) {
            clickAndWait(main->Command3, &forms::clip());
            w = forms::clip().Check1[3];
            text = QPalette::WindowText;
        }
        w->clearFocus();
        const QImage plain = look(w);
        w->setFocus(Qt::OtherFocusReason);
        QVERIFY(w->hasFocus());
        const QImage marked = look(w);
        const QRect frame = changedArea(plain, marked);
        QVERIFY2(frame.width() >= 10 && frame.height() >= 10,
                 qPrintable(QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height())));
        const QRgb colour = w->palette().color(text).rgb();
        for (int x = frame.left(); x <= frame.right(); ++x)
            QVERIFY(marked.pixel(x, frame.top()) == colour && marked.pixel(x, frame.bottom()) == colour);
        for (int y = frame.top(); y <= frame.bottom(); ++y)
            QVERIFY(marked.pixel(frame.left(), y) == colour && marked.pixel(frame.right(), y) == colour);
    }

    // The board's focus: white, then black, inside its border all round; the
    // point reached ringed; both gone once the focus leaves.
    void boardFocusAndRing()
    {
        FretboardView *view = main->Picture1;
        const QImage focused = look(view);
        view->clearFocus();
        const QImage plain = look(view);
        const QRect frame = changedArea(plain, focused);
        QVERIFY(frame.width() >= view->width() - 8 && frame.height() >= view->height() - 8);
        const QPoint middle = view->rect().center();
        const QPoint sides[4][2] = {{{middle.x(), 0}, {0, 1}}, {{middle.x(), view->height() - 1}, {0, -1}},
                                    {{0, middle.y()}, {1, 0}}, {{view->width() - 1, middle.y()}, {-1, 0}}};
        for (const auto &side : sides) {
            QString inward;
            for (int i = 0; i < 6; ++i) {
                const QRgb p = focused.pixel(side[0] + i * side[1]);
                inward += p == qRgb(255, 255, 255) ? 'w' : p == qRgb(0, 0, 0) ? 'b' : '.';
            }
            QVERIFY2(inward.contains("wb"), qPrintable(inward));
        }
        view->setFocus(Qt::TabFocusReason);
        press(view, "Down");
        const QRect ring = changedArea(focused, look(view));
        QVERIFY2(ring.isValid() && ring.width() <= 24 && ring.height() <= 24,
                 qPrintable(QStringLiteral("%1x%2").arg(ring.width()).arg(ring.height())));
        QCOMPARE(ring.center().x() / 4, main->Shape[2][0]->geometry().center().x() / 4);
        QTest::keyClick(view, Qt::Key_Tab);
        QVERIFY(!view->hasFocus());
        QCOMPARE(look(view), plain);
    }
};

QTEST_MAIN(AccessTest)
#include "access_test.moc"
