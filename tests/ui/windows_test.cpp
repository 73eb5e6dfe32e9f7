// SPDX-License-Identifier: GPL-3.0-or-later
// The real windows, in process, on an X server of their own: start-up and
// the board, as the screen shows it, against the scale rule; the dialogs'
// order of steps, the tuning dialog's nested updates, copying and layout;
// and what keyboard and screen-reader users get: every key the board, the
// lists and the dialogs handle, what the program tells assistive technology
// (recorded as a screen reader's bridge receives it), and the focus marks
// as the screen shows them.
#include "uitest.h"

#include "dialogs/clip.h"
#include "widgets/focusstyle.h"
#include "widgets/ui.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QKeySequence>
#include <QMetaEnum>
#include <QPushButton>

using namespace uitest;

namespace {

// The focus events a screen reader heard: the names of the objects that took
// the focus, and their places among their parents' children; each dialog's
// start and end, with whether the main window was enabled then; and, with
// Qt 6.8, what was announced.
QStringList g_focus, g_dialogs, g_told;
QList<int> g_places;

void record(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    if (event->type() == QAccessible::Focus && iface) {
        g_focus << iface->text(QAccessible::Name);
        g_places << iface->parent()->indexOfChild(iface);
    }
    if (event->type() == QAccessible::DialogStart || event->type() == QAccessible::DialogEnd)
        g_dialogs << QString(event->type() == QAccessible::DialogStart ? "start/" : "end/") +
                         (forms::fretSight().isEnabled() ? "enabled" : "disabled");
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement)
        g_told << static_cast<QAccessibleAnnouncementEvent *>(event)->message();
#endif
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

QRect changedArea(const QImage &a, const QImage &b)
{
    QRect area;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

// A window as a screen reader reads it: its role, name and states, then
// each control it can focus by role, name, description, the labels it is
// read with and states.
QString toldOf(QWidget *window)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(window);
    QStringList told;
    for (int c = -1; c < iface->childCount(); ++c) {
        QAccessibleInterface *i = c < 0 ? iface : iface->child(c);
        const QAccessible::State s = i->state();
        if (c >= 0 && !s.focusable)
            continue;
        told << QMetaEnum::fromType<QAccessible::Role>().valueToKey(i->role()) + (' ' + i->text(QAccessible::Name));
        if (const QString about = i->text(QAccessible::Description); !about.isEmpty())
            told.last() += " (" + about + ')';
        for (const auto &label : i->relations(QAccessible::Label))
            told.last() += " [" + label.first->text(QAccessible::Name) + ']';
        told.last() += QString(s.focused ? " focused" : "") + (s.checked ? " checked" : "") + (s.disabled ? " disabled" : "") +
                       (s.modal ? " modal" : "");
    }
    return told.join(" / ");
}

} // namespace

class WindowsTest : public QObject {
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
        forms::unloadAll();
        main = &forms::fretSight();
        waitUntilActive(main);
        board = QAccessible::queryAccessibleInterface(main->Picture1);
        QTRY_VERIFY(main->Picture1->hasFocus()); // the board has the focus at start
        g_focus.clear(), g_places.clear();
    }

    void cleanup() { forms::unloadAll(); }

    // Each key from the start, at each edge of the board, and Home and End:
    // the points reached, by their spoken names, or the edge that was met.
    // An edge met again is said again: two notes take the focus in turn, for
    // a screen reader says nothing when the focus stays where it is, and
    // the next point takes it back from them.
    void boardKeys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("Right first") << "Right" << QStringList{point(1, 1)};
        QTest::newRow("Left first: the start point, no edge") << "Left" << QStringList{point(1, 0)};
        QTest::newRow("Left at fret 0, again, then Right")
            << "Left Left Left Right" << QStringList{point(1, 0), "No fret below 0", "No fret below 0", point(1, 1)};
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
        for (int i = 1; i < g_focus.size(); ++i)
            QVERIFY(g_places[i] != g_places[i - 1]);
        QCOMPARE(board->focusChild()->text(QAccessible::Name), heard.last());
        QVERIFY(board->focusChild()->state().focused);
        if (heard.last().startsWith("String")) // a point, which the notes gave the focus back to
            QVERIFY(!board->child(78)->state().focused && !board->child(79)->state().focused);
    }

    // A key in each list: its value said as spoken, and selected in its
    // drop-down, where screen readers read it, open or not. In the tuning
    // dialog the focus goes back to OK after each change, and OK tells what
    // changed, once, for the last; the dialog opened again tells nothing old.
    void listsTellTheirChange_data()
    {
        QTest::addColumn<bool>("reopened");
        QTest::addColumn<QString>("list"); // by its label
        QTest::addColumn<QString>("item"); // where the keys start
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("told"); // by the tuning dialog
        QTest::newRow("key") << false << "Key:" << "D" << "Up" << "C sharp" << "";
        QTest::newRow("scale type") << false << "Scale Type:" << "Melodic Minor (Super Locrian)" << "Up"
                                    << "Melodic Minor (Locrian, sharp 2)" << "";
        QTest::newRow("preset") << false << "Select Tuning" << "Double Drop-D" << "Up" << "Drop-D" << "Drop-D: D A D G B E";
        QTest::newRow("string 6") << false << "String 6 open note" << "E" << "Up" << "D sharp"
                                  << "String 6: D sharp; Custom Tuning";
        QTest::newRow("string 6 to a preset") << false << "String 6 open note" << "E" << "Up Up" << "D" << "String 6: D; Drop-D";
        QTest::newRow("preset, opened again") << true << "Select Tuning" << "Standard" << "Down" << "Drop-D"
                                              << "Drop-D: D A D G B E";
    }

    void listsTellTheirChange()
    {
        QFETCH(bool, reopened);
        QFETCH(QString, list);
        QFETCH(QString, item);
        QFETCH(QString, keys);
        QFETCH(QString, spoken);
        QFETCH(QString, told);
        Tuning &tuning = forms::tuning();
        QComboBox *box = control<QComboBox>(main, list);
        if (!box) {
            clickAndWait(main->Command1, &tuning);
            if (reopened) {
                press(tuning.Combo2[5], "Up");
                clickAndWait(tuning.Command1, main);
                tuning.Combo1->setCurrentIndex(0);
                clickAndWait(main->Command1, &tuning);
            }
            QCOMPARE(tuning.Command1->accessibleDescription(), QString());
            QVERIFY(box = control<QComboBox>(&tuning, list));
        }
        box->setCurrentText(item);
        for (const QString &key : keys.split(' ')) {
            box->setFocus();
            g_focus.clear(), g_places.clear(), g_told.clear();
            press(box, key);
            QVERIFY(box->window() == main || QApplication::focusWidget() == tuning.Command1);
        }
        const QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(box);
        QCOMPARE(iface->text(QAccessible::Name) + '|' + iface->text(QAccessible::Value), spoken + '|' + spoken);
        const QModelIndexList selected = box->view()->selectionModel()->selectedIndexes();
        QVERIFY(selected.size() == 1 && selected[0].row() == box->currentIndex());
        if (box->window() == main) {
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
            // Qt 6.4's change events carry no text: a passing note says it.
            QVERIFY(g_focus.contains(spoken) && QList<int>({1, 2}).contains(g_places[g_focus.indexOf(spoken)]));
#endif
            return;
        }
        QCOMPARE(g_focus.last(), QStringLiteral("OK"));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QTRY_COMPARE(g_told, QStringList{told});
#else
        QCOMPARE(QAccessible::queryAccessibleInterface(tuning.Command1)->text(QAccessible::Description), told);
#endif
    }

    // The focus is marked with a solid frame in the control's text colour,
    // however the control got it.
    void focusMarks_data()
    {
        QTest::addColumn<QString>("opener"); // the button that opens the control's window, if any
        QTest::addColumn<QString>("control");
        QTest::newRow("button") << "" << "Tuning..";
        QTest::newRow("list") << "" << "Key:";
        QTest::newRow("key box") << "Copy.." << "D#";
    }

    void focusMarks()
    {
        QFETCH(QString, opener);
        QFETCH(QString, control);
        if (!opener.isEmpty())
            QTest::mouseClick(uitest::control(main, opener), Qt::LeftButton);
        QWidget *window = opener.isEmpty() ? main : QApplication::activeModalWidget();
        waitUntilActive(window);
        QWidget *w = uitest::control(window, control);
        QVERIFY(w && !w->hasFocus());
        const QImage plain = onScreen(w);
        w->setFocus(Qt::OtherFocusReason);
        QImage marked;
        QRect frame;
        QTRY_VERIFY((frame = changedArea(plain, marked = onScreen(w))).width() >= 10 && frame.height() >= 10);
        const QRgb colour = w->palette().color(w->inherits("QCheckBox") ? QPalette::WindowText : QPalette::ButtonText).rgb();
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
        // From each side's middle inwards: a white line, then a black one.
        const auto framed = [view](const QImage &picture) {
            const QPoint c = view->rect().center();
            QString inward;
            for (const auto &[from, step] : {std::pair{QPoint(c.x(), 0), QPoint(0, 1)},
                                            {QPoint(c.x(), view->height() - 1), QPoint(0, -1)},
                                            {QPoint(0, c.y()), QPoint(1, 0)}, {QPoint(view->width() - 1, c.y()), QPoint(-1, 0)}}) {
                for (int i = 0; i < 6; ++i)
                    inward += picture.pixel(from + i * step) == qRgb(255, 255, 255) ? 'w'
                              : picture.pixel(from + i * step) == qRgb(0, 0, 0) ? 'b' : '.';
                inward += '|';
            }
            return inward.count("wb") == 4;
        };
        QImage focused, plain;
        QTRY_VERIFY(framed(focused = onScreen(view)));
        view->clearFocus();
        QTRY_VERIFY(!framed(plain = onScreen(view)));
        QVERIFY(changedArea(plain, focused).size().boundedTo(view->size() - QSize(8, 8)) == view->size() - QSize(8, 8));
        view->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(onScreen(view), focused); // before the key, so that the ring needs a repaint of its own
        press(view, "Down");
        QRect ring;
        QTRY_VERIFY((ring = changedArea(focused, onScreen(view))).width() <= 24 && ring.height() <= 24 &&
                    ring.contains(main->Shape[2][0]->geometry()));
        QTest::keyClick(view, Qt::Key_Tab);
        QTRY_COMPARE(onScreen(view), plain);
    }

    // Start-up draws once, after the lists are filled; then every state of
    // the board as the screen shows it and a screen reader names it.
    void startUpThenEveryKeyAndScaleTypeInTwoTunings()
    {
        const music::Tuning tunings[2] = {{4, 11, 7, 2, 9, 4}, {11, 6, 1, 8, 3, 10}};
        QCOMPARE(main->refreshCount(), 1);
        QTRY_COMPARE(boardOnScreen(*main), expectedBoard(pattern(0), 0, tunings[0])); // C Major
        for (int s = 1; s <= 6; ++s)
            QCOMPARE(main->Label3[s]->text(), spokenNote(tunings[0][s - 1])); // E B G D A E: no sharps
        for (const music::Tuning &open : tunings) {
            for (int s = 1; s <= 6; ++s)
                forms::tuning().Combo2[s]->setCurrentIndex(open[s - 1]);
            main->RefreshFretboard(); // as the main window does on its next activation
            for (int scale = 0; scale < 65; ++scale) {
                main->Combo2->setCurrentIndex(scale);
                for (int key = 0; key < 12; ++key) {
                    main->Combo1->setCurrentIndex(key);
                    QCoreApplication::processEvents(); // mostly enough for the repaint
                    QTRY_COMPARE(boardOnScreen(*main), expectedBoard(pattern(scale), key, open));
                    QVERIFY(!board->text(QAccessible::Description).contains('#'));
                    for (int i = 0; i < 78; ++i)
                        QCOMPARE(board->child(i)->text(QAccessible::Name),
                                 pointName(i / 13 + 1, i % 13, pattern(scale), key, open[i / 13]));
                }
            }
        }
    }

    // Each dialog opened and closed in every way a user can, by mouse and
    // by keyboard: the same steps every time, and the clipboard untouched.
    void dialogsShowThenDisableAndEnableThenHide_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("closer"); // what Escape and the frame's close button do
        QTest::addColumn<QString>("way");
        for (const auto &[opener, closer] : {std::pair{"Tuning..", "OK"}, {"Copy..", "Cancel"}, {"About...", "OK"}})
            for (const char *way : {"click", "Return", "Enter", "Space", "Escape", "frame"})
                QTest::addRow("%s %s", opener, way) << opener << closer << way;
    }

    void dialogsShowThenDisableAndEnableThenHide()
    {
        QFETCH(QString, opener);
        QFETCH(QString, closer);
        QFETCH(QString, way);
        // Return, Enter or Space on the button with the focus, or a click.
        const auto use = [way](QWidget *button) {
            if (QStringList{"Return", "Enter", "Space"}.contains(way))
                QTest::keyClick(button, QKeySequence(way)[0].key(), way == "Enter" ? Qt::KeypadModifier : Qt::NoModifier);
            else
                QTest::mouseClick(button, Qt::LeftButton);
        };
        g_dialogs.clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QWidget *button = control(main, opener);
        button->setFocus();
        const QImage enabledBoard = main->Picture1->grab().toImage();
        use(button);
        auto *box = qobject_cast<FormDialog *>(QApplication::activeModalWidget());
        QVERIFY(box && !main->isEnabled());
        // Painted as it would be, for the dialog may cover it on screen.
        QCOMPARE(main->Picture1->grab().toImage(), enabledBoard); // full colour, disabled or not
        QTRY_COMPARE(QApplication::activeWindow(), box);
        // No dialog has a default button: Enter in a list or a box presses none.
        for (QWidget *field : box->findChildren<QWidget *>())
            for (const Qt::KeyboardModifier keypad : {Qt::NoModifier, Qt::KeypadModifier})
                if (field->inherits("QComboBox") || field->inherits("QCheckBox"))
                    QTest::keyClick(field, keypad ? Qt::Key_Enter : Qt::Key_Return, keypad);
        QVERIFY(box->isVisible());
        const int refreshes = main->refreshCount();
        // A held Escape repeats: only a press closes a dialog, so that an
        // Escape held from closing one does not close the next as it opens.
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(QApplication::focusWidget(), &held);
        QVERIFY(box->isVisible());
        if (way == "Escape")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else if (way == "frame")
            box->close();
        else
            use(control(box, closer));
        QCOMPARE(g_dialogs, QStringList({"start/enabled", "end/enabled"}));
        QTRY_COMPARE(QApplication::activeWindow(), main);
        QCOMPARE(main->refreshCount(), refreshes + 1); // redrawn on return
        QCOMPARE(QApplication::focusWidget(), button);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    }

    // Each string written, in order, and the preset shown at that moment;
    // the main window shows the new notes after OK.
    void tuningPresetsNest_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("trail");
        QTest::addRow("through Drop-D") << "Standard" << "Double Drop-D" << "6 Drop-D, 1 Double Drop-D";
        QTest::addRow("Open D to Standard") << "Open D" << "Standard"
                                            << "6 Custom Tuning, 3 Custom Tuning, 2 Custom Tuning, 1 Standard";
        QTest::addRow("Standard to Custom Tuning") << "Standard" << "Custom Tuning" << "";
    }

    void tuningPresetsNest()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, trail);
        Tuning &tuning = forms::tuning();
        clickAndWait(main->Command1, &tuning);
        tuning.Combo1->setCurrentText(from);
        QStringList seen;
        for (int s = 1; s <= 6; ++s) // gone with the dialog after the test
            connect(tuning.Combo2[s], &QComboBox::currentIndexChanged, this,
                    [&seen, &tuning, s] { seen << QString::number(s) + ' ' + tuning.Combo1->currentText(); });
        tuning.Combo1->setCurrentText(to);
        QCOMPARE(seen.join(", ") + '|' + tuning.Combo1->currentText(), trail + '|' + to);
        QVERIFY(tuning.Command1->hasFocus());
        QCOMPARE(main->Label3[6]->text(), QStringLiteral("E")); // only after OK
        clickAndWait(tuning.Command1, main);
        QCOMPARE(main->Label3[6]->text(), tuning.Combo2[6]->currentText());
    }

    // "Copy to Clipboard" writes a block per ticked key, titled with the
    // key, the scale type and the tuning's name.
    void copyingWritesABlockPerTickedKey()
    {
        Clip &clip = forms::clip();
        main->Combo2->setCurrentIndex(14);
        forms::tuning().Combo1->setCurrentIndex(1); // Drop-D, whose notes the preset sets
        clickAndWait(main->Command3, &clip);
        for (int k = 0; k < 12; ++k)
            clip.Check1[k]->setChecked(k == 1 || k == 9);
        clickAndWait(clip.Command1, main);
        const QStringList lines = QGuiApplication::clipboard()->text().split('\r');
        QCOMPARE(lines.size(), 5 + 2 * 11 + 1);
        QCOMPARE(lines[5] + lines[16], QStringLiteral("C# Dorian Scale, Drop-D Tuning.A Dorian Scale, Drop-D Tuning."));
    }

    // Every control shows its whole text, inside its window; a screen reader
    // reads each window, as it opens, as written here: its role, name and
    // states, then every control it can focus, in order, by role, name,
    // description, the label it is read with and states (so the focus as it
    // opens). No name has the sharp sign, which speech reads as "hash".
    void everyTextFitsAndIsTold()
    {
        QString strings, keys;
        for (int s = 1; s <= 6; ++s)
            strings += QStringLiteral("ComboBox %1 [String %2 open note] / ").arg(QString("EBGDAE")[s - 1]).arg(s);
        for (int k = 0; k < 12; ++k)
            keys += "CheckBox Key " + spokenNote(k) + (k ? "" : " focused") + " checked / ";
        const QString told[4] = {
            "Window FretSight / ComboBox C [Key:] / ComboBox Major [Scale Type:] / Button Tuning.. / "
            "Button Copy.. / Button About... / Graphic Fretboard (C Major: C D E F G A B; 48 scale notes on frets 0 to 12) "
            "focused / Button Exit Program",
            "Dialog Tuning of Strings modal / ComboBox Standard [Select Tuning] / " + strings + "Button OK focused",
            "Dialog Copy Scales to Clipboard modal / " + keys + "Button Copy to Clipboard / Button Cancel",
            "Dialog About modal / Button OK (FretSight, Version 1.0. Write to feedback@fretsight.org) focused"};
        for (int i = 0; i < 4; ++i) {
            if (i) // each dialog as its button opens it
                QTest::mouseClick(control(main, QStringList{"Tuning..", "Copy..", "About..."}[i - 1]), Qt::LeftButton);
            QWidget *window = i ? QApplication::activeModalWidget() : main;
            for (QWidget *w : window->findChildren<QWidget *>())
                if (w->window() == window) // not a list's pop-up
                    QVERIFY2(ui::textFits(w) && window->rect().contains(w->geometry()),
                             qPrintable(w->metaObject()->className() + (" in " + window->windowTitle())));
            QTRY_COMPARE(toldOf(window), told[i]);
            if (window != main)
                static_cast<FormDialog *>(window)->reject();
        }
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
