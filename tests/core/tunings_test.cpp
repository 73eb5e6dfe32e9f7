#include "music/tunings.h"

#include <gtest/gtest.h>

using namespace music;

TEST(Presets, CatalogueOrderAndNames)
{
    const char *names[] = {"Standard", "Drop-D",      "Double Drop-D",  "DADGAD",       "Open D",
                           "Open G",   "Drop-G (G6)", "Lute (Viheula)", "Custom Tuning"};
    for (int p = 0; p < PresetCount; ++p)
        EXPECT_EQ(TuningPresets[p].name, names[p]);
    EXPECT_FALSE(presetHasNotes(CustomTuningIndex));
    EXPECT_FALSE(presetHasNotes(-1));
    for (int p = 0; p < CustomTuningIndex; ++p) {
        EXPECT_TRUE(presetHasNotes(p));
        EXPECT_EQ(lookupPreset(TuningPresets[p].notes), p) << "presets must be pairwise different";
    }
}

TEST(Presets, Lookup)
{
    EXPECT_EQ(lookupPreset({4, 11, 7, 2, 9, 4}), 0);
    EXPECT_EQ(lookupPreset({4, 11, 7, 2, 9, 2}), 1);
    EXPECT_EQ(lookupPreset({2, 9, 7, 2, 9, 2}), 3);
    EXPECT_EQ(lookupPreset({2, 9, 6, 2, 9, 2}), 4);
    EXPECT_EQ(lookupPreset({4, 11, 7, 2, 7, 2}), 6);
    EXPECT_EQ(lookupPreset({2, 11, 7, 2, 7, 2}), 5);
    EXPECT_EQ(lookupPreset({4, 11, 6, 2, 9, 4}), 7);
}

TEST(Presets, NoPartialOrTransposedMatch)
{
    EXPECT_EQ(lookupPreset({4, 4, 4, 4, 4, 4}), CustomTuningIndex);
    EXPECT_EQ(lookupPreset({5, 0, 8, 3, 10, 5}), CustomTuningIndex); // Standard up a semitone
    EXPECT_EQ(lookupPreset({4, 11, 7, 2, 9, 5}), CustomTuningIndex); // one string off
}
