// SPDX-License-Identifier: GPL-3.0-or-later
#include "tunings.h"

namespace music {

// Notes per string 1 (highest) .. 6 (lowest).
const std::array<TuningPreset, PresetCount> TuningPresets = {{
    {"Standard", {4, 11, 7, 2, 9, 4}},
    {"Drop-D", {4, 11, 7, 2, 9, 2}},
    {"Double Drop-D", {2, 11, 7, 2, 9, 2}},
    {"DADGAD", {2, 9, 7, 2, 9, 2}},
    {"Open D", {2, 9, 6, 2, 9, 2}},
    {"Open G", {2, 11, 7, 2, 7, 2}},
    {"Drop-G (G6)", {4, 11, 7, 2, 7, 2}},
    {"Lute (Viheula)", {4, 11, 6, 2, 9, 4}},
    {"Custom Tuning", {}},
}};

bool presetHasNotes(int preset)
{
    return preset >= 0 && preset < CustomTuningIndex;
}

int lookupPreset(const Tuning &open)
{
    for (int p = 0; p < CustomTuningIndex; ++p) {
        if (TuningPresets[p].notes == open)
            return p;
    }
    return CustomTuningIndex;
}

} // namespace music
