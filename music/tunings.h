// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes.h"

#include <array>
#include <string_view>

namespace music {

constexpr int PresetCount = 9;
constexpr int CustomTuningIndex = 8; // "Custom Tuning": no notes of its own

struct TuningPreset {
    std::string_view name;
    Tuning notes; // strings 1..6 at positions 0..5; unused for "Custom Tuning"
};

extern const std::array<TuningPreset, PresetCount> TuningPresets;

bool presetHasNotes(int preset);

// The first preset 0..7 whose six notes all equal `open`, else 8.
int lookupPreset(const Tuning &open);

} // namespace music
