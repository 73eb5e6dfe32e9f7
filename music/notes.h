// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace music {

constexpr int NoteCount = 12;

// Pitch-class names, sharps only; position is the note index.
extern const std::array<std::string_view, NoteCount> NoteNames;

// Text as a speech synthesizer should read it: a sharp sign after a note
// letter is the word ("F#" reads "F sharp"), any other one reads as "sharp"
// before what follows ("#2" reads "sharp 2"); the rest is kept as it is.
std::string spokenText(std::string_view text);

// The note one semitone above n, wrapping from "B" back to "C".
int nextNote(int n);

// Distance 0..11 of note n above key k, always counted upwards.
int intervalAbove(int n, int k);

// One flag per interval 0..11; 1 marks a scale note.
using IntervalFlags = std::array<int, NoteCount>;

// Flags from a pattern text: character k + 1 stands for interval k.
// Characters past the twelfth are never read; missing ones count 0.
IntervalFlags intervalFlags(std::string_view pattern);

// Rank of scale interval i counted upwards from the root (root = 1).
int degreeOf(const IntervalFlags &flags, int i);

// What one fretboard point shows for a given note.
struct PointState {
    bool shown = false; // the note belongs to the scale
    bool root = false;  // the note is the key itself
    int degree = 0;     // 1.. when shown, 0 otherwise
};

PointState evaluatePoint(const IntervalFlags &flags, int key, int note);

constexpr int StringCount = 6;
constexpr int FretCount = 13; // frets 0..12

// Open-string notes, strings 1 (highest) to 6 (lowest) at positions 0..5.
using Tuning = std::array<int, StringCount>;

// points[s][f]: string s + 1, fret f.
using Board = std::array<std::array<PointState, FretCount>, StringCount>;

Board computeBoard(const IntervalFlags &flags, int key, const Tuning &open);

} // namespace music
