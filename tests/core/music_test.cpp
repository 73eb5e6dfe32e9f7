#include "music/notes.h"
#include "music/scales.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace music;

namespace {

std::vector<int> scaleIntervals(const IntervalFlags &flags)
{
    std::vector<int> out;
    for (int k = 0; k < NoteCount; ++k)
        if (flags[k] == 1)
            out.push_back(k);
    return out;
}

const IntervalFlags &flagsOf(int t)
{
    static std::array<IntervalFlags, ScaleTypeCount> all = [] {
        std::array<IntervalFlags, ScaleTypeCount> table{};
        for (int i = 0; i < ScaleTypeCount; ++i)
            table[i] = intervalFlags(ScaleCatalogue[i].pattern);
        return table;
    }();
    return all[t];
}

} // namespace

TEST(Notes, NamesAndArithmetic)
{
    const char *expected[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    for (int n = 0; n < NoteCount; ++n)
        EXPECT_EQ(NoteNames[n], expected[n]);

    EXPECT_EQ(nextNote(11), 0);
    EXPECT_EQ(nextNote(4), 5);
    EXPECT_EQ(intervalAbove(0, 11), 1);  // "C" above key "B"
    EXPECT_EQ(intervalAbove(4, 9), 7);   // "E" above "A": upwards, not -5
    EXPECT_EQ(intervalAbove(9, 4), 5);
    for (int k = 0; k < NoteCount; ++k) {
        EXPECT_EQ(intervalAbove(k, k), 0);
        for (int n = 0; n < NoteCount; ++n) {
            const int i = intervalAbove(n, k);
            ASSERT_GE(i, 0);
            ASSERT_LT(i, 12);
            ASSERT_EQ((k + i) % 12, n);
        }
    }
}

TEST(Scales, CatalogueShape)
{
    EXPECT_EQ(ScaleCatalogue[0].name, "Major");
    EXPECT_EQ(ScaleCatalogue[15].name, "Phygian");
    EXPECT_EQ(ScaleCatalogue[39].name, "Ethopian");
    EXPECT_EQ(ScaleCatalogue[64].name, "Spanish Eight-Tone");

    std::set<std::string_view> names, patterns;
    for (const ScaleType &scale : ScaleCatalogue) {
        names.insert(scale.name);
        patterns.insert(scale.pattern);
        ASSERT_EQ(scale.pattern.size(), 13u) << scale.name;
        EXPECT_EQ(scale.pattern.front(), '1') << scale.name;
        EXPECT_EQ(scale.pattern.back(), '1') << scale.name;
        const auto notes = scaleIntervals(intervalFlags(scale.pattern)).size();
        EXPECT_GE(notes, 5u) << scale.name;
        EXPECT_LE(notes, 8u) << scale.name;
    }
    EXPECT_EQ(names.size(), 65u);
    EXPECT_EQ(patterns.size(), 52u);
}

TEST(Scales, PatternTableMatchesCatalogue)
{
    Module1::fillScalePatterns();
    EXPECT_EQ(Module1::ScalePatterns[0], "1010110101011");
    for (int t = 0; t < ScaleTypeCount; ++t)
        EXPECT_EQ(Module1::ScalePatterns[t], ScaleCatalogue[t].pattern);
}

TEST(Scales, IntervalsAndDegrees)
{
    const IntervalFlags major = flagsOf(0);
    EXPECT_EQ(scaleIntervals(major), (std::vector<int>{0, 2, 4, 5, 7, 9, 11}));
    int expectedDegree = 1;
    for (int i : scaleIntervals(major))
        EXPECT_EQ(degreeOf(major, i), expectedDegree++);

    EXPECT_EQ(scaleIntervals(flagsOf(2)), (std::vector<int>{0, 3, 5, 6, 7, 10})); // Blues
    EXPECT_EQ(scaleIntervals(flagsOf(8)).size(), 5u);                             // Major Pentatonic
    EXPECT_EQ(degreeOf(flagsOf(8), 9), 5);
    const IntervalFlags eightTone = flagsOf(64);
    EXPECT_EQ(scaleIntervals(eightTone).size(), 8u);
    EXPECT_EQ(degreeOf(eightTone, 10), 8);
}

TEST(Scales, SharedPatternsGiveSameFlags)
{
    EXPECT_EQ(flagsOf(1), flagsOf(39)); // Minor, Ethopian
    for (int t : {49, 54, 63})
        EXPECT_EQ(flagsOf(23), flagsOf(t));
}

TEST(Scales, ThirteenthCharacterIsNeverRead)
{
    EXPECT_EQ(intervalFlags("1010110101011"), intervalFlags("1010110101010"));
    EXPECT_EQ(intervalFlags("101011010101"), intervalFlags("1010110101011"));
    // A short pattern leaves the missing intervals out of the scale.
    EXPECT_EQ(scaleIntervals(intervalFlags("10101")), (std::vector<int>{0, 2, 4}));
}

TEST(Board, WorkedExampleCMajorStandard)
{
    const Tuning standard = {4, 11, 7, 2, 9, 4};
    const Board board = computeBoard(flagsOf(0), 0, standard);

    auto row = [&](int s) {
        std::string out;
        for (const PointState &p : board[s])
            out += p.shown ? char('0' + p.degree) : '.';
        return out;
    };
    EXPECT_EQ(row(0), "34.5.6.71.2.3"); // string 1, open E
    EXPECT_EQ(row(4), "6.71.2.34.5.6"); // string 5, open A
    EXPECT_TRUE(board[0][8].root);
    EXPECT_FALSE(board[0][7].root);
    EXPECT_TRUE(board[4][3].root);

    // Every occurrence of the key's note is a root, and nothing else.
    for (int s = 0; s < StringCount; ++s)
        for (int f = 0; f < FretCount; ++f)
            EXPECT_EQ(board[s][f].root, (standard[s] + f) % 12 == 0);
}

TEST(Board, KeyAboveOpenNoteAndWrapping)
{
    const Tuning standard = {4, 11, 7, 2, 9, 4};
    const Board a = computeBoard(flagsOf(0), 9, standard); // A major
    EXPECT_EQ(a[0][0].degree, 5);
    EXPECT_TRUE(a[0][5].root);

    // Open "B": fret 1 carries "C"; fret 12 mirrors fret 0 on every string.
    const Board c = computeBoard(flagsOf(0), 0, {11, 11, 11, 11, 11, 11});
    EXPECT_TRUE(c[0][1].root);
    for (int t = 0; t < ScaleTypeCount; ++t) {
        for (int key = 0; key < NoteCount; ++key) {
            const Board b = computeBoard(flagsOf(t), key, standard);
            for (int s = 0; s < StringCount; ++s) {
                ASSERT_EQ(b[s][12].shown, b[s][0].shown);
                ASSERT_EQ(b[s][12].root, b[s][0].root);
                ASSERT_EQ(b[s][12].degree, b[s][0].degree);
            }
        }
    }
}
