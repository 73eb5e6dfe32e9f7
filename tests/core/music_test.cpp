// SPDX-License-Identifier: GPL-3.0-or-later
// Intervals, degrees and the preset lookup, against values worked by hand.
#include "music/notes.h"
#include "music/tunings.h"

#include <gtest/gtest.h>

struct PointCase {
    const char *pattern;
    int key, note;
    bool shown, root;
    int degree;
};

class Point : public testing::TestWithParam<PointCase> {};

TEST_P(Point, IntervalUpwardsAndRankInTheScale)
{
    const PointCase &c = GetParam();
    const music::PointState p = music::evaluatePoint(music::intervalFlags(c.pattern), c.key, c.note);
    EXPECT_EQ(p.shown, c.shown);
    EXPECT_EQ(p.root, c.root);
    EXPECT_EQ(p.degree, c.degree);
}

INSTANTIATE_TEST_SUITE_P(Rules, Point, testing::Values(
    PointCase{"1010110101011", 0, 0, true, true, 1},    // the key itself
    PointCase{"1010110101011", 0, 11, true, false, 7},  // Major: B is the 7th
    PointCase{"1010110101011", 9, 4, true, false, 5},   // E above A: 7 up, not 5 down
    PointCase{"1010110101011", 11, 0, false, false, 0}, // C above B: 1, not in Major
    PointCase{"1101111010101", 0, 10, true, false, 8},  // Spanish Eight-Tone: eight notes
    PointCase{"1001011100101", 0, 10, true, false, 6},  // Blues: 0 3 5 6 7 10
    PointCase{"1010100101001", 0, 9, true, false, 5},   // Major Pentatonic: five notes
    PointCase{"10101", 0, 7, false, false, 0}));        // a short pattern leaves the rest out

struct LookupCase {
    music::Tuning notes;
    int preset;
};

class Lookup : public testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, FirstPresetWithAllSixNotesElseCustom)
{
    EXPECT_EQ(music::lookupPreset(GetParam().notes), GetParam().preset);
}

INSTANTIATE_TEST_SUITE_P(Presets, Lookup, testing::Values(
    LookupCase{{4, 11, 7, 2, 9, 4}, 0}, LookupCase{{4, 11, 7, 2, 9, 2}, 1},
    LookupCase{{2, 11, 7, 2, 9, 2}, 2}, LookupCase{{2, 9, 7, 2, 9, 2}, 3},
    LookupCase{{2, 9, 6, 2, 9, 2}, 4}, LookupCase{{2, 11, 7, 2, 7, 2}, 5},
    LookupCase{{4, 11, 7, 2, 7, 2}, 6}, LookupCase{{4, 11, 6, 2, 9, 4}, 7},
    LookupCase{{4, 11, 7, 2, 9, 5}, 8},    // one string off
    LookupCase{{5, 0, 8, 3, 10, 5}, 8}));  // Standard a semitone up
