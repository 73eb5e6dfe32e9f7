// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QComboBox;

// The lists of the window that chooses the scale, as the dialogs read them:
// the key list, whose items are the note names, and the scale-type list.
class ScaleLists {
public:
    virtual const QComboBox *keyList() const = 0;
    virtual const QComboBox *scaleList() const = 0;

protected:
    ~ScaleLists() = default;
};
