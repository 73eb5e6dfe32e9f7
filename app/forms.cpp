#include "forms.h"

#include "app/fretsight.h"
#include "dialogs/about.h"
#include "dialogs/clip.h"
#include "dialogs/tuning.h"

#include <QCoreApplication>

#include <memory>

namespace forms {

namespace {

std::unique_ptr<FretSight> g_fretSight;
std::unique_ptr<Tuning> g_tuning;
std::unique_ptr<Clip> g_clip;
std::unique_ptr<About> g_about;

template <typename Form>
Form &instance(std::unique_ptr<Form> &slot)
{
    if (!slot)
        slot = std::make_unique<Form>();
    return *slot;
}

} // namespace

FretSight &fretSight()
{
    if (!g_fretSight) {
        g_fretSight = std::make_unique<FretSight>();
        g_fretSight->formLoad();
    }
    return *g_fretSight;
}

Tuning &tuning() { return instance(g_tuning); }
Clip &clip() { return instance(g_clip); }
About &about() { return instance(g_about); }

bool tuningLoaded() { return g_tuning != nullptr; }

void endProgram()
{
    // Dialogs first, so that no window is left behind the main one.
    if (g_about)
        g_about->hide();
    if (g_clip)
        g_clip->hide();
    if (g_tuning)
        g_tuning->hide();
    if (g_fretSight)
        g_fretSight->hide();
    QCoreApplication::exit(0);
}

void unloadAll()
{
    g_about.reset();
    g_clip.reset();
    g_tuning.reset();
    g_fretSight.reset();
}

} // namespace forms
