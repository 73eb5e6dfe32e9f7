// Every text of every window fits its fixed-size control, at whatever
// QT_SCALE_FACTOR the test runs under, and every control can be told apart
// by a screen reader.

#include "uitest.h"

#include "dialogs/about.h"
#include "dialogs/clip.h"

#include "app/ui.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QPushButton>

using namespace uitest;

namespace {

QList<QWidget *> allWindows()
{
    return {&forms::fretSight(), &forms::tuning(), &forms::clip(), &forms::about()};
}

QString describe(const QWidget *w)
{
    QString text;
    if (auto *label = qobject_cast<const QLabel *>(w))
        text = label->text();
    else if (auto *button = qobject_cast<const QAbstractButton *>(w))
        text = button->text();
    else if (auto *list = qobject_cast<const QComboBox *>(w))
        text = list->currentText();
    return QStringLiteral("%1 \"%2\" in %3").arg(w->metaObject()->className(), text.left(40),
                                                 w->window()->windowTitle());
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() { forms::unloadAll(); }

    void noTextIsClipped()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        for (QWidget *window : allWindows()) {
            for (QWidget *w : window->findChildren<QWidget *>()) {
                if (w->window() != window || w->parentWidget() == forms::fretSight().Picture1)
                    continue; // a list's drop-down, or a point (checked below)
                QVERIFY2(ui::textFits(w), qPrintable(describe(w)));
                QVERIFY2(window->rect().contains(w->geometry()), qPrintable(describe(w)));
                QVERIFY2(w->font().pixelSize() >= 8 || w->font().pixelSize() < 0, qPrintable(describe(w)));
            }
        }
        // Degree labels are small: their digits (which have no descent)
        // must still fit whole, drawn from the top of the label.
        const QFontMetrics digits(main.Degree[1][0]->font());
        for (const char *digit : {"1", "4", "8"}) {
            const QRect ink = digits.tightBoundingRect(QString::fromLatin1(digit));
            QVERIFY(digits.horizontalAdvance(QString::fromLatin1(digit)) <= main.Degree[1][0]->width());
            QVERIFY(digits.ascent() + ink.bottom() <= main.Degree[1][0]->height());
        }
    }

    void picturesMatchTheScreenDensity()
    {
        FretSight &main = startProgram();
        const qreal dpr = qApp->devicePixelRatio();
        const QPixmap board = main.Picture1->pixmap();
        QCOMPARE(board.deviceIndependentSize().toSize(), QSize(630, 91));
        QCOMPARE(board.devicePixelRatio(), dpr > 1 ? 2.0 : 1.0);
        const QPixmap icon = forms::about().Image1->pixmap();
        QCOMPARE(icon.deviceIndependentSize().toSize(), QSize(32, 32));
        QCOMPARE(icon.devicePixelRatio(), dpr > 1 ? 2.0 : 1.0);
    }

    void everyControlHasAnAccessibleName()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        for (QWidget *window : allWindows()) {
            for (QWidget *w : window->findChildren<QWidget *>()) {
                if (w->window() != window ||
                    (!(w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QComboBox *>(w)))
                    continue;
                QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
                QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(describe(w)));
            }
        }
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(forms::tuning().Combo2[6]);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("String 6 open note"));
        QCOMPARE(list->text(QAccessible::Value), QStringLiteral("E"));
        QCOMPARE(list->role(), QAccessible::ComboBox);
    }

    void shownPointsTellAScreenReaderWhatTheyAre()
    {
        FretSight &main = startProgram();
        waitForActivation(main);
        auto name = [&](int s, int f) {
            return QAccessible::queryAccessibleInterface(main.Shape[s][f])->text(QAccessible::Name);
        };
        // C major, standard tuning: string 1 fret 8 is the root C.
        QCOMPARE(name(1, 8), QStringLiteral("String 1, fret 8: C, degree 1, root"));
        QCOMPARE(name(1, 0), QStringLiteral("String 1, fret 0: E, degree 3"));
        QCOMPARE(name(5, 3), QStringLiteral("String 5, fret 3: C, degree 1, root"));
        main.Combo1->setCurrentIndex(9); // A major: string 1 fret 5 is now the root A
        QCOMPARE(name(1, 5), QStringLiteral("String 1, fret 5: A, degree 1, root"));
        QCOMPARE(name(1, 0), QStringLiteral("String 1, fret 0: E, degree 5"));
        QVERIFY(QAccessible::queryAccessibleInterface(main.Shape[1][1])->state().invisible);
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
