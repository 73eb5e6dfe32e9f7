// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "music/notes.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace exporter {

// First line of every copied text.
inline constexpr std::string_view DiagramBanner = "FretSight Scale Diagrams";

// Everything the copied text depends on, as read from the windows.
struct DiagramInput {
    std::string scaleName;                      // e.g. "Major"
    std::string pattern;                        // 13 characters of "0"/"1"
    music::Tuning open{};                       // strings 1..6
    std::string tuningName;                     // e.g. "Standard"
    std::array<std::string, music::NoteCount> noteNames;   // string names, by note index
    std::array<bool, music::NoteCount> chosen{};           // key boxes ticked, by note index
    std::array<std::string, music::NoteCount> keyCaptions; // key box captions, by note index
};

// Fixed-width text diagrams; every line ends with CR alone.
std::string buildDiagramText(const DiagramInput &in);

// The text is a header of five lines, then a block of eleven lines per key.
inline constexpr int HeaderLineCount = 5;
inline constexpr int BlockLineCount = 11;

// The lines of a text that buildDiagramText() returned, without their CRs,
// in the parts a printed page must not split: the header, then each key's
// block.
using DiagramSection = std::vector<std::string_view>;
std::vector<DiagramSection> diagramSections(std::string_view text);

// The fixed-pitch faces that the formatted flavours name, first choice first.
inline constexpr std::string_view FixedPitchFont = "Liberation Mono";
inline constexpr std::string_view FixedPitchFallback = "Courier New";

} // namespace exporter
