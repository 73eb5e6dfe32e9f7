// Benchmarks: one board refresh, the diagram text for all twelve keys, and
// start-up to the first painted main window next to an empty Qt window
// started the same way. Run: build/fretsight_bench
// (Google Benchmark flags apply; --startup-runs=N sets the start-up samples.)

#include "app/forms.h"
#include "app/fretsight.h"
#include "common/diagram_fixtures.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

void BM_RefreshFretboard(benchmark::State &state)
{
    FretSight &main = forms::fretSight();
    QApplication::processEvents();
    int key = 0;
    for (auto _ : state) {
        {
            // Change the key without its handler, so each pass redraws a
            // different board and every point really changes.
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
    exporter::DiagramInput in = fixtures::catalogueInput(0, 0);
    in.chosen.fill(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(exporter::buildDiagramText(in));
}
BENCHMARK(BM_DiagramTextTwelveKeys)->Unit(benchmark::kMicrosecond);

// Child side of the start-up measurement: write one byte on the first paint
// of the window, then leave at once.
class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            const char done = '!';
            (void)!write(STDOUT_FILENO, &done, 1);
            _exit(0);
        }
        return false;
    }
};

// "main": the program's own start-up; "empty": a bare window of the same
// size; "label": the same window with one line of text, which makes Qt load
// the system font database as every window with text must.
int startupChild(int argc, char **argv, const std::string &mode)
{
    QApplication app(argc, argv);
    FirstPaint probe;
    if (mode == "main") {
        forms::fretSight().installEventFilter(&probe);
        return QApplication::exec();
    }
    QWidget window;
    window.setFixedSize(674, 422);
    if (mode == "label")
        new QLabel(QStringLiteral("FretSight"), &window);
    window.installEventFilter(&probe);
    window.show();
    return QApplication::exec();
}

// Seconds from spawning a child until it reports its first paint.
double timeStartup(const char *self, const char *mode)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string flag = std::string("--startup-child=") + mode;
    char *args[] = {const_cast<char *>(self), flag.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    char byte = 0;
    const bool painted = rc == 0 && read(fds[0], &byte, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    close(fds[0]);
    if (rc == 0)
        waitpid(pid, nullptr, 0);
    return painted ? std::chrono::duration<double>(end - start).count() : -1;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void compareStartup(const char *self, int runs)
{
    std::vector<double> full, empty, label;
    for (int i = 0; i < runs; ++i) { // interleaved, so all see the same machine
        empty.push_back(timeStartup(self, "empty"));
        label.push_back(timeStartup(self, "label"));
        full.push_back(timeStartup(self, "main"));
    }
    for (const auto *samples : {&full, &empty, &label}) {
        if (*std::min_element(samples->begin(), samples->end()) < 0) {
            std::printf("start-up: a child did not paint\n");
            return;
        }
    }
    const double f = median(full), e = median(empty), l = median(label);
    std::printf("\nStart-up to first paint (median of %d, offscreen platform)\n", runs);
    std::printf("  empty Qt window            : %8.2f ms\n", e * 1000);
    std::printf("  Qt window with one label   : %8.2f ms\n", l * 1000);
    std::printf("  FretSight main window      : %8.2f ms\n", f * 1000);
    std::printf("  ratio to the empty window  : %8.2fx (target: within 1.30x)\n", f / e);
    std::printf("  ratio to the labelled one  : %8.2fx\n", f / l);
}

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int runs = 21;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--startup-child=", 16) == 0)
            return startupChild(argc, argv, argv[i] + 16);
        if (std::strncmp(argv[i], "--startup-runs=", 15) == 0)
            runs = std::max(1, std::atoi(argv[i] + 15));
    }

    int appArgc = 1;
    QApplication app(appArgc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    forms::unloadAll();

    compareStartup("/proc/self/exe", runs);
    return 0;
}
