// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class FretSight;
class Tuning;
class Clip;
class About;

// Every window exists once, created on first use and kept for the whole
// run. The windows are destroyed with the application object, or earlier
// by unloadAll(); either order is safe.
namespace forms {

FretSight &fretSight(); // creating it runs its load step, which shows it
Tuning &tuning();       // creating it fills and selects its lists, hidden
Clip &clip();
About &about();

// Hides every window and leaves the event loop; no handler runs after it.
void endProgram();

// Destroys every window now (between test cases, say).
void unloadAll();

} // namespace forms
