// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class FormDialog;
class Tuning;

// What the main window opens and reads: the dialogs, each made when first
// asked for, and the end of the program.
class DialogSet {
public:
    virtual Tuning &tuning() = 0;
    virtual FormDialog &clip() = 0;
    virtual FormDialog &about() = 0;
    virtual void endProgram() = 0;

protected:
    ~DialogSet() = default;
};
