// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms.h"

#include "app/fretsight.h"
#include "dialogs/about.h"
#include "dialogs/clip.h"
#include "dialogs/tuning.h"
#include "desktop/clipboardkeeper.h"

#include <QCoreApplication>
#include <QPointer>

namespace forms {

namespace {

QPointer<FretSight> g_fretSight;
QPointer<Tuning> g_tuning;
QPointer<Clip> g_clip;
QPointer<About> g_about;

void destroyWithApplication()
{
    static bool registered = false;
    if (!registered) {
        registered = true;
        qAddPostRoutine(unloadAll);
    }
}

template <typename Form>
Form *create(QPointer<Form> &slot)
{
    destroyWithApplication();
    slot = new Form();
    return slot;
}

template <typename Form>
Form &instance(QPointer<Form> &slot)
{
    return slot ? *slot : *create(slot);
}

// The dialogs as the main window reaches them.
class Dialogs final : public DialogSet {
public:
    Tuning &tuning() override { return forms::tuning(); }
    FormDialog &clip() override { return forms::clip(); }
    FormDialog &about() override { return forms::about(); }
    void endProgram() override { forms::endProgram(); }
};

Dialogs g_dialogs;

} // namespace

FretSight &fretSight()
{
    if (!g_fretSight) {
        destroyWithApplication();
        g_fretSight = new FretSight(g_dialogs);
        g_fretSight->formLoad();
    }
    return *g_fretSight;
}

Tuning &tuning() { return instance(g_tuning); }
Clip &clip()
{
    if (!g_clip) {
        destroyWithApplication();
        g_clip = new Clip(fretSight(), tuning());
    }
    return *g_clip;
}
About &about() { return instance(g_about); }

void endProgram()
{
    // Dialogs first, so that no window is left behind the main one.
    for (QWidget *window : std::initializer_list<QWidget *>{g_about, g_clip, g_tuning, g_fretSight}) {
        if (window)
            window->hide();
    }
    // The copied diagrams outlive the program.
    ui::keepClipboardAfterExit();
    QCoreApplication::exit(0);
}

void unloadAll()
{
    delete g_about;
    delete g_clip;
    delete g_tuning;
    delete g_fretSight;
}

} // namespace forms
