// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagramtext.h"

namespace exporter {

namespace {

constexpr char CR = '\r';
constexpr std::string_view Sentence =
    "The following are fretboard diagram(s) showing scale patterns, copied from FretSight.";
constexpr std::string_view FretNumberLine =
    "Fret      1   2   3   4   5   6   7   8   9   10  11  12";

// The cell of one fret: "3 |" / "  |" for fret 0, "-3-|" / "---|" after.
std::string cellText(const music::PointState &point, int fret)
{
    if (!point.shown)
        return fret == 0 ? "  |" : "---|";
    const std::string degree = std::to_string(point.degree);
    return fret == 0 ? degree + " |" : "-" + degree + "-|";
}

void appendStringLine(std::string &out, const DiagramInput &in, const music::IntervalFlags &flags,
                      int key, int openNote)
{
    const std::string &name = in.noteNames[openNote];
    out += name;
    out.append(name.size() == 2 ? 4 : 5, ' ');
    int n = openNote;
    for (int f = 0; f < music::FretCount; ++f) {
        out += cellText(music::evaluatePoint(flags, key, n), f);
        n = music::nextNote(n);
    }
    out += CR;
}

} // namespace

std::string buildDiagramText(const DiagramInput &in)
{
    const music::IntervalFlags flags = music::intervalFlags(in.pattern);

    std::string out;
    out.reserve(200 + 700 * music::NoteCount);
    out += DiagramBanner;
    out += CR;
    out += CR;
    out += Sentence;
    out += CR;
    out += CR;
    out += CR;

    for (int key = 0; key < music::NoteCount; ++key) {
        if (!in.chosen[key])
            continue;
        out += in.keyCaptions[key];
        out += ' ';
        out += in.scaleName;
        out += " Scale, ";
        out += in.tuningName;
        out += " Tuning.";
        out += CR;
        out += CR;
        for (int s = 0; s < music::StringCount; ++s)
            appendStringLine(out, in, flags, key, in.open[s]);
        out += CR;
        out += FretNumberLine;
        out += CR;
        out += CR;
    }
    return out;
}

std::vector<DiagramSection> diagramSections(std::string_view text)
{
    std::vector<DiagramSection> sections;
    for (int line = 0; !text.empty(); ++line) {
        if (line == 0 || (line >= HeaderLineCount && (line - HeaderLineCount) % BlockLineCount == 0))
            sections.emplace_back();
        const std::size_t end = text.find(CR);
        sections.back().push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return sections;
}

} // namespace exporter
