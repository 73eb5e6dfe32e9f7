// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace music {

constexpr int ScaleTypeCount = 65;

struct ScaleType {
    std::string_view name;    // list text
    std::string_view pattern; // 13 characters of "0"/"1", root first
};

extern const std::array<ScaleType, ScaleTypeCount> ScaleCatalogue;

} // namespace music

// The program-wide table of scale patterns, slot t for scale-type index t.
// Filled once by the main window's load step, read-only afterwards.
namespace Module1 {

extern std::array<std::string, music::ScaleTypeCount> ScalePatterns;

void fillScalePatterns();

} // namespace Module1
