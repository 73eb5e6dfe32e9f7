// SPDX-License-Identifier: GPL-3.0-or-later
#include "notes.h"

namespace music {

const std::array<std::string_view, NoteCount> NoteNames = {
    "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B",
};

std::string spokenText(std::string_view text)
{
    std::string spoken;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '#') {
            spoken += text[i];
        } else if (i > 0 && text[i - 1] >= 'A' && text[i - 1] <= 'G') {
            spoken += " sharp";
        } else {
            spoken += "sharp ";
        }
    }
    return spoken;
}

int nextNote(int n)
{
    ++n;
    return n == NoteCount ? 0 : n;
}

int intervalAbove(int n, int k)
{
    const int raised = k <= n ? n : n + NoteCount;
    return raised - k;
}

IntervalFlags intervalFlags(std::string_view pattern)
{
    IntervalFlags flags{};
    for (int k = 0; k < NoteCount; ++k)
        flags[k] = (k < static_cast<int>(pattern.size()) && pattern[k] == '1') ? 1 : 0;
    return flags;
}

int degreeOf(const IntervalFlags &flags, int i)
{
    int degree = 1;
    for (int k = 1; k <= i; ++k)
        degree += flags[k] == 1 ? 1 : 0;
    return degree;
}

PointState evaluatePoint(const IntervalFlags &flags, int key, int note)
{
    const int i = intervalAbove(note, key);
    if (flags[i] != 1)
        return {};
    return {true, i == 0, degreeOf(flags, i)};
}

Board computeBoard(const IntervalFlags &flags, int key, const Tuning &open)
{
    Board board{};
    for (int s = 0; s < StringCount; ++s) {
        int n = open[s];
        for (int f = 0; f < FretCount; ++f) {
            board[s][f] = evaluatePoint(flags, key, n);
            n = nextNote(n);
        }
    }
    return board;
}

} // namespace music
