#pragma once

// Inputs and texts shared by the tests and benchmarks of the diagram text.

#include "export/diagramtext.h"
#include "music/scales.h"
#include "music/tunings.h"

#include <string>

namespace fixtures {

// The diagram input for a catalogue scale type and tuning preset, with the
// standard note names and captions and no key ticked.
inline exporter::DiagramInput catalogueInput(int scale, int preset)
{
    exporter::DiagramInput in;
    in.scaleName = std::string(music::ScaleCatalogue[scale].name);
    in.pattern = std::string(music::ScaleCatalogue[scale].pattern);
    in.open = music::TuningPresets[preset].notes;
    in.tuningName = std::string(music::TuningPresets[preset].name);
    for (int n = 0; n < music::NoteCount; ++n)
        in.noteNames[n] = in.keyCaptions[n] = std::string(music::NoteNames[n]);
    return in;
}

// Key C alone, Major, Standard tuning: the whole clipboard text.
inline const std::string WorkedExample =
    "FretSight Scale Diagrams\r"
    "\r"
    "The following are fretboard diagram(s) showing scale patterns, copied from FretSight.\r"
    "\r"
    "\r"
    "C Major Scale, Standard Tuning.\r"
    "\r"
    "E     3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|\r"
    "B     7 |-1-|---|-2-|---|-3-|-4-|---|-5-|---|-6-|---|-7-|\r"
    "G     5 |---|-6-|---|-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|\r"
    "D     2 |---|-3-|-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|\r"
    "A     6 |---|-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|---|-6-|\r"
    "E     3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|\r"
    "\r"
    "Fret      1   2   3   4   5   6   7   8   9   10  11  12\r"
    "\r";

} // namespace fixtures
