// SPDX-License-Identifier: GPL-3.0-or-later
// The clipboard text and its HTML flavour. What the RTF flavour gives is
// checked by its effect: a paste into Writer, and its printed pages.
#include "export/diagramhtml.h"
#include "export/diagramtext.h"
#include "music/notes.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <initializer_list>
#include <string>

namespace {

const char *const Names[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
const QString Header = QStringLiteral("FretSight Scale Diagrams\r\r"
                                      "The following are fretboard diagram(s) showing scale patterns, copied "
                                      "from FretSight.\r\r\r");
const music::Tuning Standard{4, 11, 7, 2, 9, 4};
const music::Tuning OpenD{2, 9, 6, 2, 9, 2};

QString diagrams(const char *scale, const char *pattern, const char *tuning, music::Tuning open,
                 std::initializer_list<int> keys, const char *firstCaption = Names[0])
{
    exporter::DiagramInput in;
    in.scaleName = scale;
    in.pattern = pattern;
    in.tuningName = tuning;
    in.open = open;
    for (int n = 0; n < 12; ++n)
        in.noteNames[n] = in.keyCaptions[n] = Names[n];
    in.keyCaptions[0] = firstCaption;
    for (int k : keys)
        in.chosen[k] = true;
    return QString::fromStdString(exporter::buildDiagramText(in));
}

// The lines of a text whose every line ends with CR.
QStringList lines(const QString &text)
{
    QStringList out = text.split(QLatin1Char('\r'));
    if (out.takeLast() != QString())
        qWarning("the text does not end with CR");
    return out;
}

} // namespace

class DiagramTest : public QObject {
    Q_OBJECT

private slots:
    // The header, alone when no key is ticked; then a block per key, in key
    // order however they were ticked, in fixed columns.
    void headerThenTwelveKeysInKeyOrderAndFixedColumns()
    {
        const QString text = diagrams("Spanish Eight-Tone", "1101111010101", "Open D", OpenD,
                                      {11, 3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10});
        QVERIFY(text.startsWith(Header));
        QCOMPARE(diagrams("Major", "1010110101011", "Standard", Standard, {}), Header);
        QVERIFY(QRegularExpression(QStringLiteral("^[\\r\\x20-\\x7e]*$")).match(text).hasMatch());
        const QStringList out = lines(text);
        QCOMPARE(out.size(), 5 + 12 * 11);
        for (int k = 0; k < 12; ++k) {
            const QStringList block = out.mid(5 + 11 * k, 11);
            QCOMPARE(block[0], QString::fromLatin1(Names[k]) + QStringLiteral(" Spanish Eight-Tone Scale, Open D Tuning."));
            for (int s = 2; s < 8; ++s) {
                QCOMPARE(block[s].size(), 57);
                for (int bar = 8; bar < 57; bar += 4)
                    QCOMPARE(block[s][bar], QLatin1Char('|'));
            }
            QCOMPARE(block[9], QStringLiteral("Fret      1   2   3   4   5   6   7   8   9   10  11  12"));
            QCOMPARE(block[1] + block[8] + block[10], QString());
        }
    }

    void stringLineFollowsTheCellRule_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("open");
        QTest::addColumn<QString>("line");
        const QString major = QStringLiteral("1010110101011");
        QTest::newRow("two-character open note: four blanks after it")
            << major << 2 << 6 << "F#    3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|";
        QTest::newRow("key on the open note: 1 at frets 0 and 12")
            << major << 2 << 2 << "D     1 |---|-2-|---|-3-|-4-|---|-5-|---|-6-|---|-7-|-1-|";
        QTest::newRow("key above the open note: counted up through the octave")
            << major << 9 << 4 << "E     5 |---|-6-|---|-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|";
        QTest::newRow("open note not in the scale; open B wraps to C")
            << major << 1 << 11 << "B       |-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|---|-6-|---|";
        QTest::newRow("thirteenth pattern character never read")
            << "1010110101010" << 0 << 4 << "E     3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|";
    }

    void stringLineFollowsTheCellRule()
    {
        QFETCH(QString, pattern);
        QFETCH(int, key);
        QFETCH(int, open);
        QFETCH(QString, line);
        const std::string p = pattern.toStdString();
        QCOMPARE(lines(diagrams("S", p.c_str(), "T", {open, 0, 0, 0, 0, 0}, {key}))[7], line);
    }

    void titleTakesTheBoxCaptionAndTheTuningNameAsTheyAre()
    {
        QCOMPARE(lines(diagrams("Jazz Minor", "1011010101011", "Custom Tuning", Standard, {0}, "X"))[5],
                 QStringLiteral("X Jazz Minor Scale, Custom Tuning Tuning."));
    }

    // One <pre> for the header and one per key's block, each in a fixed-pitch
    // face, each block asking not to be split across pages; the same lines
    // as the text, escaped.
    void htmlHasTheSameLinesInAFixedPitchPrePerBlock()
    {
        const QString text = diagrams("Major", "1010110101011", "Drop-G (G6)", Standard, {0, 11});
        const QString html = QString::fromStdString(exporter::diagramHtml(text.toStdString()));
        QString body;
        int blocks = 0;
        for (const QRegularExpressionMatch &pre :
             QRegularExpression(QStringLiteral("<pre style=\"([^\"]*)\">([^<]*)</pre>")).globalMatch(html)) {
            QVERIFY(pre.captured(1).contains(QLatin1String("monospace")));
            QCOMPARE(pre.captured(1).contains(QLatin1String("break-inside: avoid")), blocks++ > 0);
            body += pre.captured(2);
        }
        QCOMPARE(blocks, 3);
        QCOMPARE(body.replace(QLatin1Char('\n'), QLatin1Char('\r')), text);
        QVERIFY(!html.contains(QLatin1Char('\r')));
        QVERIFY(QString::fromStdString(exporter::diagramHtml("a<b>&c\r")).contains(QLatin1String("a&lt;b&gt;&amp;c\n</pre>")));
    }
};

QTEST_APPLESS_MAIN(DiagramTest)

#include "diagram_test.moc"
