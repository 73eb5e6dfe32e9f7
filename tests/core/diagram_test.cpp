// SPDX-License-Identifier: GPL-3.0-or-later
// The clipboard text and its HTML and RTF flavours, each read back as the
// program that pastes it reads it.
#include "export/diagramhtml.h"
#include "export/diagramrtf.h"
#include "export/diagramtext.h"
#include "music/notes.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTest>

#include <initializer_list>
#include <utility>
#include <string>

namespace {

const char *const Names[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
const QString Header = QStringLiteral("FretSight Scale Diagrams\r\rThe following are fretboard diagram(s) showing "
                                      "scale patterns, copied from FretSight.\r\r\r");

QString diagrams(const char *scale, const char *pattern, const char *tuning, music::Tuning open,
                 std::initializer_list<int> keys, const char *firstCaption = Names[0])
{
    exporter::DiagramInput in{scale, pattern, open, tuning, {}, {}, {}};
    for (int n = 0; n < 12; ++n)
        in.noteNames[n] = in.keyCaptions[n] = Names[n];
    in.keyCaptions[0] = firstCaption;
    for (int k : keys)
        in.chosen[k] = true;
    return QString::fromStdString(exporter::buildDiagramText(in));
}

// The lines of a text whose every line ends with CR.
QStringList lines(const QString &text) { return text.chopped(1).split(QLatin1Char('\r')); }

// An RTF reader as strict as the format: groups balanced and closed at the
// end, every control word one that this RTF uses and ended by a space or a
// non-letter, every other backslash an escape. Returns the paragraphs of
// the document's own group, each marked "keepn: " where it asks to be kept
// with the next; an error text where the RTF is not well formed.
QStringList readRtf(const std::string &rtf)
{
    static const QStringList Words =
        QStringLiteral("rtf ansi ansicpg deff fonttbl f fmodern fprq fcharset falt pard plain fs keepn par").split(' ');
    // A control word with its number and the space that ends it, a hex
    // escape, another escape, a brace, a line end (no text in RTF), text.
    static const QRegularExpression token(
        QStringLiteral("\\\\([A-Za-z]+)-?\\d* ?|\\\\'([0-9a-f]{2})|\\\\([\\\\{}*])|([{}])|[\\r\\n]|(\\\\?.)"));
    QStringList paragraphs;
    QString text;
    bool keep = false;
    int depth = 0;
    for (const QRegularExpressionMatch &t : token.globalMatch(QString::fromLatin1(rtf))) {
        const QString word = t.captured(1);
        if (depth == 0 && t.capturedStart() > 0)
            return {QStringLiteral("text after the document's group")};
        if (t.hasCaptured(4))
            depth += t.captured(4) == QLatin1String("{") ? 1 : -1;
        else if (t.hasCaptured(1) && !Words.contains(word))
            return {QStringLiteral("unknown control word ") + word};
        else if (t.captured(5).startsWith(QLatin1Char('\\')))
            return {QStringLiteral("a bare backslash")};
        else if (depth == 1 && word == QLatin1String("par"))
            paragraphs << (keep ? QStringLiteral("keepn: ") : QString()) + std::exchange(text, QString());
        else if (depth == 1 && t.hasCaptured(1))
            keep = word == QLatin1String("keepn") || (keep && word != QLatin1String("pard"));
        else if (depth == 1)
            text += t.hasCaptured(2) ? QString(QChar(t.captured(2).toInt(nullptr, 16))) : t.captured(3) + t.captured(5);
        if (depth < 0)
            return {QStringLiteral("a group closed that was never opened")};
    }
    if (depth != 0)
        return {QStringLiteral("%1 groups left open").arg(depth)};
    return paragraphs;
}

} // namespace

class DiagramTest : public QObject {
    Q_OBJECT

private slots:
    // The header, alone when no key is ticked; then a block per key, in key
    // order however they were ticked, in fixed columns, titled with the key's
    // box caption and the tuning's name as they are.
    void headerThenTwelveKeysInKeyOrderAndFixedColumns()
    {
        const QString text = diagrams("Spanish Eight-Tone", "1101111010101", "Open D", {2, 9, 6, 2, 9, 2},
                                      {11, 3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10}, "X");
        QVERIFY(text.startsWith(Header) && text.endsWith(QLatin1Char('\r')));
        QCOMPARE(diagrams("Major", "1010110101011", "Standard", {4, 11, 7, 2, 9, 4}, {}), Header);
        QVERIFY(QRegularExpression(QStringLiteral("^[\\r\\x20-\\x7e]*$")).match(text).hasMatch());
        const QStringList out = lines(text);
        QCOMPARE(out.size(), 5 + 12 * 11);
        for (int k = 0; k < 12; ++k) {
            const QStringList block = out.mid(5 + 11 * k, 11);
            QCOMPARE(block[0], QString::fromLatin1(k ? Names[k] : "X") + " Spanish Eight-Tone Scale, Open D Tuning.");
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
        QTest::newRow("open F#: four blanks") << major << 2 << 6 << "F#    3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|";
        QTest::newRow("root at frets 0, 12") << major << 2 << 2 << "D     1 |---|-2-|---|-3-|-4-|---|-5-|---|-6-|---|-7-|-1-|";
        QTest::newRow("key above open note") << major << 9 << 4 << "E     5 |---|-6-|---|-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|";
        QTest::newRow("open B: off, wraps") << major << 1 << 11 << "B       |-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|---|-6-|---|";
        QTest::newRow("13th char never read") << "1010110101010" << 0 << 4 << "E     3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|";
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

    // One <pre> for the header and one per key's block, each in a fixed-pitch
    // face, each block asking not to be split across pages; the same lines
    // as the text, escaped.
    void htmlHasTheSameLinesInAFixedPitchPrePerBlock()
    {
        const QString text = diagrams("Major", "1010110101011", "Drop-G (G6)", {4, 11, 7, 2, 9, 4}, {0, 11});
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

    // Read back strictly, the RTF has a paragraph per line of the text,
    // exactly, and every line of the header and of each block but its last
    // is kept with the next, so that no block is split across pages.
    void rtfHasAParagraphPerLineKeptWithTheNextWithinABlock()
    {
        const QString text = diagrams("Major", "1010110101011", "Drop-G (G6)", {4, 11, 7, 2, 9, 4}, {0, 1, 11});
        QStringList expected = lines(text);
        for (int i = 0; i < expected.size(); ++i) {
            if (i != 4 && (i < 5 || (i - 5) % 11 != 10))
                expected[i].prepend(QStringLiteral("keepn: "));
        }
        QCOMPARE(readRtf(exporter::diagramRtf(text.toStdString())), expected);
        QCOMPARE(readRtf(exporter::diagramRtf("{a\\b}\r\xe9\r")), QStringList({QStringLiteral("keepn: {a\\b}"), QString(QChar(0xe9))}));
    }
};

QTEST_APPLESS_MAIN(DiagramTest)

#include "diagram_test.moc"
