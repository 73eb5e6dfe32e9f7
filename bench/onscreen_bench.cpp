// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as a user sees it: the time from exec until a program's first
// pure red pixel (FretSight's root markers, the baseline's text) is on the
// X server's screen, read from outside through the X server itself, with
// the program's peak memory and CPU time up to then. Two programs are
// started in turn, in alternating order, and compared pair by pair.
//
// Usage, on an X server with no window manager:
//   onscreen_bench RUNS BASELINE PROGRAM
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Sample {
    double ms = -1;     // exec to the first red pixel on the screen
    double rssMiB = 0;  // peak resident memory
    double cpuMs = 0;   // user and system time
};

struct Screen {
    xcb_connection_t *connection;
    xcb_window_t root;
    int16_t x, y;
    uint16_t width, height;

    // Whether a pure red pixel shows in the area where the window sits.
    bool red() const
    {
        xcb_get_image_reply_t *image = xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, x, y, width, height, ~0u),
            nullptr);
        if (!image)
            return false;
        const uint8_t *data = xcb_get_image_data(image);
        const int length = xcb_get_image_data_length(image);
        bool found = false;
        for (int i = 0; i + 3 < length && !found; i += 4) // 24-bit depth: B, G, R, pad
            found = data[i + 2] == 255 && data[i + 1] == 0 && data[i] == 0;
        free(image);
        return found;
    }
};

Sample measure(const Screen &screen, const char *program)
{
    while (screen.red()) // the last window has not gone yet
        usleep(1000);
    Sample sample;
    char *args[] = {const_cast<char *>(program), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, args, environ) != 0)
        return sample;
    for (;;) {
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (screen.red()) {
            sample.ms = ms;
            break;
        }
        if (ms > 20000)
            break;
        usleep(2000); // leave the two processes under test the processor
    }
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    sample.rssMiB = usage.ru_maxrss / 1024.0;
    sample.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                   (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    return sample;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s RUNS BASELINE PROGRAM\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const char *baseline = argv[2], *program = argv[3];
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X server\n");
        return 1;
    }
    const xcb_screen_t *s = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const Screen screen{connection, s->root, int16_t((s->width_in_pixels - 674) / 2),
                        int16_t((s->height_in_pixels - 422) / 2), 674, 422};

    std::vector<double> time[2], rss[2], cpu[2], timeRatio, rssRatio, cpuRatio;
    std::printf("pair  baseline ms  program ms  ratio | baseline MiB  program MiB  ratio | "
                "baseline CPU ms  program CPU ms  ratio\n");
    for (int i = 0; i < runs; ++i) {
        Sample pair[2];
        // Alternate which goes first, so that neither gains from the other.
        const int first = i % 2;
        pair[first] = measure(screen, first ? program : baseline);
        pair[1 - first] = measure(screen, first ? baseline : program);
        if (pair[0].ms < 0 || pair[1].ms < 0) {
            std::fprintf(stderr, "pair %d: a program showed no red pixel\n", i + 1);
            return 1;
        }
        for (int k = 0; k < 2; ++k) {
            time[k].push_back(pair[k].ms);
            rss[k].push_back(pair[k].rssMiB);
            cpu[k].push_back(pair[k].cpuMs);
        }
        timeRatio.push_back(pair[1].ms / pair[0].ms);
        rssRatio.push_back(pair[1].rssMiB / pair[0].rssMiB);
        cpuRatio.push_back(pair[1].cpuMs / pair[0].cpuMs);
        std::printf("%4d  %11.1f  %10.1f  %5.2f | %12.1f  %11.1f  %5.2f | %15.0f  %14.0f  %5.2f\n", i + 1,
                    pair[0].ms, pair[1].ms, timeRatio.back(), pair[0].rssMiB, pair[1].rssMiB,
                    rssRatio.back(), pair[0].cpuMs, pair[1].cpuMs, cpuRatio.back());
    }
    std::printf("median %9.1f  %10.1f  %5.2f | %12.1f  %11.1f  %5.2f | %15.0f  %14.0f  %5.2f\n",
                median(time[0]), median(time[1]), median(timeRatio), median(rss[0]), median(rss[1]),
                median(rssRatio), median(cpu[0]), median(cpu[1]), median(cpuRatio));
    std::printf("\non screen: %.2fx the baseline (target 1.10x); peak memory: %.2fx (target 1.05x); "
                "CPU: %.2fx; medians of the %d pair ratios\n",
                median(timeRatio), median(rssRatio), median(cpuRatio), runs);
    xcb_disconnect(connection);
    return 0;
}
