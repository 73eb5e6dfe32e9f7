// SPDX-License-Identifier: GPL-3.0-or-later
// In-process benchmarks: one board refresh and the diagram text for all
// twelve keys. Start-up is measured from outside by onscreen_bench.
#include "app/forms.h"
#include "app/fretsight.h"
#include "export/diagramtext.h"
#include "music/scales.h"

#include <QApplication>
#include <QComboBox>
#include <QSignalBlocker>

#include <benchmark/benchmark.h>

namespace {

void BM_RefreshFretboard(benchmark::State &state)
{
    FretSight &main = forms::fretSight();
    QApplication::processEvents();
    int key = 0;
    for (auto _ : state) {
        {
            // Another key each pass, without its handler, so that every
            // point really changes.
            const QSignalBlocker blocker(main.Combo1);
            key = (key + 7) % 12;
            main.Combo1->setCurrentIndex(key);
        }
        main.RefreshFretboard();
    }
}
BENCHMARK(BM_RefreshFretboard)->Unit(benchmark::kMicrosecond);

void BM_DiagramTextTwelveKeys(benchmark::State &state)
{
    static const char *names[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    exporter::DiagramInput in;
    in.scaleName = "Major";
    in.pattern = std::string(music::ScaleCatalogue[0].pattern);
    in.open = {4, 11, 7, 2, 9, 4};
    in.tuningName = "Standard";
    for (int n = 0; n < 12; ++n) {
        in.noteNames[n] = in.keyCaptions[n] = names[n];
        in.chosen[n] = true;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(exporter::buildDiagramText(in));
}
BENCHMARK(BM_DiagramTextTwelveKeys)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
