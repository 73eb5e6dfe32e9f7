#pragma once

namespace ui {

// Lets screen readers read a list by the name the program gave it (such as
// "String 6 open note"), with the chosen entry as its value, and a
// fretboard point by its string, fret, note and degree. Installed once.
void installAccessibility();

} // namespace ui
