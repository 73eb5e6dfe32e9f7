#include "common/diagram_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using exporter::buildDiagramText;
using exporter::DiagramInput;

namespace {

const std::string Header = "FretSight Scale Diagrams\r\r"
                           "The following are fretboard diagram(s) showing scale patterns, copied "
                           "from FretSight.\r\r\r";

DiagramInput input(int scale, int preset) { return fixtures::catalogueInput(scale, preset); }

// Splits at CR; the final CR ends the last line rather than opening one.
std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> out;
    std::string current;
    for (char c : text) {
        if (c == '\r') {
            out.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    EXPECT_TRUE(current.empty()) << "text must end with CR";
    return out;
}

} // namespace

TEST(DiagramText, WorkedExampleByteForByte)
{
    DiagramInput in = input(0, 0);
    in.chosen[0] = true;
    const std::string &expected = fixtures::WorkedExample;
    EXPECT_EQ(buildDiagramText(in), expected);
    EXPECT_EQ(lines(expected).size(), 16u);
}

TEST(DiagramText, NoKeyGivesHeaderAlone)
{
    EXPECT_EQ(buildDiagramText(input(0, 0)), Header);
}

TEST(DiagramText, AllKeysInKeyOrderWithFixedWidths)
{
    DiagramInput in = input(64, 4); // Spanish Eight-Tone, Open D: two-character names
    in.chosen.fill(true);
    const std::string text = buildDiagramText(in);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_TRUE(std::all_of(text.begin(), text.end(),
                            [](char c) { return c == '\r' || (c >= 32 && c < 127); }));

    const auto all = lines(text);
    ASSERT_EQ(all.size(), 5u + 12u * 11u);
    for (int k = 0; k < 12; ++k) {
        const size_t b = 5 + 11 * k;
        EXPECT_EQ(all[b], in.noteNames[k] + " Spanish Eight-Tone Scale, Open D Tuning.");
        EXPECT_EQ(all[b + 1], "");
        for (size_t s = 0; s < 6; ++s) {
            const std::string &line = all[b + 2 + s];
            ASSERT_EQ(line.size(), 57u) << line;
            EXPECT_EQ(line[8], '|');
            for (int f = 1; f <= 12; ++f)
                EXPECT_EQ(line[12 + 4 * (f - 1)], '|');
        }
        EXPECT_EQ(all[b + 8], "");
        EXPECT_EQ(all[b + 9].size(), 56u);
        EXPECT_EQ(all[b + 10], "");
    }
    EXPECT_EQ(all[5 + 11 * 2 + 4], "F#    4 |-5-|-6-|---|-7-|---|-8-|---|-1-|-2-|---|-3-|-4-|");
}

TEST(DiagramText, CellRules)
{
    DiagramInput in = input(0, 4); // Major, Open D
    in.chosen[2] = true;           // key D
    const auto all = lines(buildDiagramText(in));
    // Key equal to the open note: "1 |" at fret 0, "-1-|" at fret 12.
    EXPECT_EQ(all[7], "D     1 |---|-2-|---|-3-|-4-|---|-5-|---|-6-|---|-7-|-1-|");
    EXPECT_EQ(all[9], "F#    3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|");

    DiagramInput a = input(0, 0);
    a.chosen[9] = true; // key A above open E: upwards through the octave
    EXPECT_EQ(lines(buildDiagramText(a))[7].substr(0, 9), "E     5 |");

    DiagramInput c = input(0, 0);
    c.chosen[1] = true; // C#: open E is not in the scale
    const auto cs = lines(buildDiagramText(c));
    EXPECT_EQ(cs[7].substr(0, 9), "E       |");
    // Open B wraps to C at fret 1 (interval 11 above C#), never past B.
    EXPECT_EQ(cs[8].substr(0, 13), "B       |-7-|");
}

TEST(DiagramText, TitlesComeFromBoxesAndTuningName)
{
    DiagramInput in = input(6, 8); // tuning shown as "Custom Tuning"
    in.chosen[11] = true;
    in.chosen[0] = true;
    const auto custom = lines(buildDiagramText(in));
    EXPECT_EQ(custom[5], "C Jazz Minor Scale, Custom Tuning Tuning.");
    EXPECT_EQ(custom[16], "B Jazz Minor Scale, Custom Tuning Tuning.");

    DiagramInput g6 = input(0, 6);
    g6.chosen[0] = true;
    EXPECT_EQ(lines(buildDiagramText(g6))[5], "C Major Scale, Drop-G (G6) Tuning.");
}

TEST(DiagramText, ThirteenthCharacterIgnored)
{
    DiagramInput a = input(0, 0), b = input(0, 0);
    a.chosen.fill(true);
    b.chosen.fill(true);
    b.pattern.back() = '0';
    EXPECT_EQ(buildDiagramText(a), buildDiagramText(b));
}
