#pragma once

class FretSight;
class Tuning;
class Clip;
class About;

// Every window exists once, created on first use and kept for the whole run.
namespace forms {

FretSight &fretSight(); // creating it runs its load step, which shows it
Tuning &tuning();       // creating it fills and selects its lists, hidden
Clip &clip();
About &about();

bool tuningLoaded();

// Hides every window and leaves the event loop; no handler runs after it.
void endProgram();

// Destroys every window (at exit, and between test cases).
void unloadAll();

} // namespace forms
