// SPDX-License-Identifier: GPL-3.0-or-later
// The clipboard text and its HTML flavour. What the RTF flavour gives is
// checked by its effect: a paste into Writer, and its printed pages.
#include "export/diagramhtml.h"
#include "export/diagramtext.h"
#include "music/notes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace {

const char *const Names[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
const std::string Header = "FretSight Scale Diagrams\r\r"
                           "The following are fretboard diagram(s) showing scale patterns, copied "
                           "from FretSight.\r\r\r";

exporter::DiagramInput input(const char *scale, const char *pattern, const char *tuning,
                             music::Tuning open, std::vector<int> keys)
{
    exporter::DiagramInput in;
    in.scaleName = scale;
    in.pattern = pattern;
    in.tuningName = tuning;
    in.open = open;
    for (int n = 0; n < 12; ++n)
        in.noteNames[n] = in.keyCaptions[n] = Names[n];
    for (int k : keys)
        in.chosen[k] = true;
    return in;
}

const music::Tuning Standard{4, 11, 7, 2, 9, 4};
const music::Tuning OpenD{2, 9, 6, 2, 9, 2};

std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> out(1);
    for (char c : text) {
        if (c == '\r')
            out.emplace_back();
        else
            out.back() += c;
    }
    EXPECT_EQ(out.back(), "") << "the text must end with CR";
    out.pop_back();
    return out;
}

} // namespace

// The header, alone when no key is ticked; then a block per key, in key
// order however they were ticked, in fixed columns.
TEST(DiagramText, HeaderThenTwelveKeysInKeyOrderAndFixedColumns)
{
    std::vector<int> all{11, 3, 0, 1, 2, 4, 5, 6, 7, 8, 9, 10}; // ticked in any order
    const auto text = exporter::buildDiagramText(
        input("Spanish Eight-Tone", "1101111010101", "Open D", OpenD, all));
    EXPECT_EQ(text.substr(0, Header.size()), Header);
    EXPECT_EQ(exporter::buildDiagramText(input("Major", "1010110101011", "Standard", Standard, {})), Header);
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c == '\r' || (c >= 32 && c < 127); }));
    const auto out = lines(text);
    ASSERT_EQ(out.size(), 5u + 12u * 11u);
    for (int k = 0; k < 12; ++k) {
        const auto *block = &out[5 + 11 * k];
        EXPECT_EQ(block[0], std::string(Names[k]) + " Spanish Eight-Tone Scale, Open D Tuning.");
        for (int s = 2; s < 8; ++s) {
            ASSERT_EQ(block[s].size(), 57u) << block[s];
            for (size_t bar = 8; bar < 57; bar += 4)
                EXPECT_EQ(block[s][bar], '|') << block[s];
        }
        EXPECT_EQ(block[9], "Fret      1   2   3   4   5   6   7   8   9   10  11  12");
        EXPECT_EQ(block[1] + block[8] + block[10], "");
    }
}

// One string line: scale, pattern, key, open note, the line expected.
struct LineCase {
    const char *pattern;
    int key, open;
    const char *line;
};

class StringLine : public testing::TestWithParam<LineCase> {};

TEST_P(StringLine, FollowsTheCellRule)
{
    const LineCase &c = GetParam();
    const auto out = lines(exporter::buildDiagramText(
        input("S", c.pattern, "T", {c.open, 0, 0, 0, 0, 0}, {c.key})));
    EXPECT_EQ(out[7], c.line);
}

INSTANTIATE_TEST_SUITE_P(Cells, StringLine, testing::Values(
    // A two-character open note: four blanks after its name.
    LineCase{"1010110101011", 2, 6, "F#    3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|"},
    // Key on the open note: "1 |" at fret 0 and "-1-|" at fret 12.
    LineCase{"1010110101011", 2, 2, "D     1 |---|-2-|---|-3-|-4-|---|-5-|---|-6-|---|-7-|-1-|"},
    // Key above the open note: counted upwards through the octave.
    LineCase{"1010110101011", 9, 4, "E     5 |---|-6-|---|-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|"},
    // A non-scale open note keeps the bar in column 8; open B wraps to C.
    LineCase{"1010110101011", 1, 11, "B       |-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|---|-6-|---|"},
    // The thirteenth character is never read.
    LineCase{"1010110101010", 0, 4, "E     3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|"}));

TEST(DiagramText, TitleTakesTheBoxCaptionAndTheTuningNameAsTheyAre)
{
    auto in = input("Jazz Minor", "1011010101011", "Custom Tuning", Standard, {0});
    in.keyCaptions[0] = "X";
    EXPECT_EQ(lines(exporter::buildDiagramText(in))[5], "X Jazz Minor Scale, Custom Tuning Tuning.");
}

// The HTML, read back: one <pre> for the header and one per key's block,
// each in a fixed-pitch face, each block asking not to be split across
// pages; the same lines as the text, escaped.
TEST(DiagramHtml, SameLinesInAFixedPitchPrePerBlock)
{
    const std::string text = exporter::buildDiagramText(
        input("Major", "1010110101011", "Drop-G (G6)", Standard, {0, 11}));
    const std::string html = exporter::diagramHtml(text);
    const std::regex pre("<pre style=\"([^\"]*)\">([^<]*)</pre>");
    std::string body;
    int blocks = 0;
    for (std::sregex_iterator at(html.begin(), html.end(), pre), end; at != end; ++at, ++blocks) {
        EXPECT_NE((*at)[1].str().find("monospace"), std::string::npos) << (*at)[1];
        EXPECT_EQ((*at)[1].str().find("break-inside: avoid") != std::string::npos, blocks > 0) << (*at)[1];
        body += (*at)[2];
    }
    EXPECT_EQ(blocks, 3) << "the header and two blocks";
    std::replace(body.begin(), body.end(), '\n', '\r');
    EXPECT_EQ(body, text);
    EXPECT_EQ(html.find('\r'), std::string::npos);
    EXPECT_NE(exporter::diagramHtml("a<b>&c\r").find("a&lt;b&gt;&amp;c\n</pre>"), std::string::npos);
}
