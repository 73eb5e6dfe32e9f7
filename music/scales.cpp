// SPDX-License-Identifier: GPL-3.0-or-later
#include "scales.h"

namespace music {

// In list order: the common scales, the pentatonics, the church modes, the
// modes of harmonic and melodic minor, then the rest alphabetically.
const std::array<ScaleType, ScaleTypeCount> ScaleCatalogue = {{
    {"Major", "1010110101011"},
    {"Minor", "1011010110101"},
    {"Blues", "1001011100101"},
    {"Augmented", "1001100110011"},
    {"Diminished", "1011011011011"},
    {"Bop", "1010110101111"},
    {"Jazz Minor", "1011010101011"},
    {"Whole Tone", "1010101010101"},
    {"Major Pentatonic", "1010100101001"},
    {"Major Pentatonic (Lowered 2nd)", "1100100101001"},
    {"Major Pentatonic (Lowered 3rd)", "1011000101001"},
    {"Major Pentatonic (Lowered 5th)", "1010101001001"},
    {"Major Pentatonic (Lowered 6th)", "1010100110001"},
    {"Minor Pentatonic", "1001010100101"},
    {"Dorian", "1011010101101"},
    {"Phygian", "1101010110101"},
    {"Lydian", "1010101101011"},
    {"Mixolydian", "1010110101101"},
    {"Locrian", "1101011010101"},
    {"Harmonic Minor", "1011010110011"},
    {"Harmonic Minor (Mode 2)", "1101011001101"},
    {"Harmonic Minor (Mode 3)", "1010110011011"},
    {"Harmonic Minor (Mode 4)", "1011001101101"},
    {"Harmonic Minor (Mode 5)", "1100110110101"},
    {"Harmonic Minor (Mode 6)", "1001101101011"},
    {"Harmonic Minor (Mode 7)", "1101101011001"},
    {"Melodic Minor", "1011010101011"},
    {"Melodic Minor (Dorian, b2)", "1101010101101"},
    {"Melodic Minor (Lydian Augmented)", "1010101011011"},
    {"Melodic Minor (Lydian, b7)", "1010101101101"},
    {"Melodic Minor (Mixolydian, b6)", "1010110110101"},
    {"Melodic Minor (Locrian, #2)", "1011011010101"},
    {"Melodic Minor (Super Locrian)", "1101101010101"},
    {"Arabian", "1010111010101"},
    {"Balinese", "1101000110001"},
    {"Byzantine", "1100110110011"},
    {"Double Harmonic", "1100110110011"},
    {"Egyptian", "1010010100101"},
    {"Enigmatic", "1100101010111"},
    {"Ethopian", "1011010110101"},
    {"Gypsy", "1100110101101"},
    {"Hindu", "1010110110101"},
    {"Hirajoshi", "1011000110001"},
    {"Hungarian Gypsy", "1011001110101"},
    {"Hungarian Major", "1001101101101"},
    {"Hungarian Minor", "1011001110011"},
    {"Iwato", "1100011000101"},
    {"Japanese", "1100010110001"},
    {"Javanese", "1101010101101"},
    {"Jewish", "1100110110101"},
    {"Kumoi", "1100010110001"},
    {"Leading Whole Tone", "1010101010111"},
    {"Lydian Minor", "1010101110101"},
    {"Major Locrian", "1010111010101"},
    {"Major Phrygian", "1100110110101"},
    {"Mohammedan", "1011010110011"},
    {"Mongolian", "1010100101001"},
    {"Neapolitan Major", "1101010101011"},
    {"Neapolitan Minor", "1101010110011"},
    {"Oriental", "1100111001101"},
    {"Overtone", "1010101101101"},
    {"Pelog", "1101000100101"},
    {"Persian", "1100111010011"},
    {"Spanish", "1100110110101"},
    {"Spanish Eight-Tone", "1101111010101"},
}};

} // namespace music

namespace Module1 {

std::array<std::string, music::ScaleTypeCount> ScalePatterns;

void fillScalePatterns()
{
    for (int t = 0; t < music::ScaleTypeCount; ++t)
        ScalePatterns[t] = std::string(music::ScaleCatalogue[t].pattern);
}

} // namespace Module1
