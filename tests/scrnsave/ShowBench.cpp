// corvane-show-bench: measures the program itself on an X server (run it under xvfb-run with a
// 1920x1080 screen): the time from process start to the first frame on screen with 10 and with
// 1000 pictures in Pics, the processor time of the full-screen show during transitions and
// during the pauses, and the peak memory with a 6000 x 4000 JPEG picture in the folder.
// Not a test: it prints what it measured.

#include <signal.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ProgramFixtures.h"
#include "tools/common/PictureWriters.h"
#include "tools/samples/Patterns.h"

using namespace corvane;
using namespace corvane::test;
using Clock = std::chrono::steady_clock;

namespace {

// Whether the root window shows anything but black: the first frame of the first transition.
bool ScreenNotBlack(xcb_connection_t* c, xcb_window_t root, int w, int h) {
    auto* reply = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 0, 0, uint16_t(w), uint16_t(h), ~0u),
        nullptr);
    if (!reply) return false;
    const auto* p = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply));
    const int n = xcb_get_image_data_length(reply) / 4;
    int lit = 0;
    for (int i = 0; i < n; i += 97) lit += (p[i] & 0xFFFFFF) != 0;
    std::free(reply);
    return lit > 100;
}

// User plus system processor time of the process, in clock ticks.
long CpuTicks(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string skip;
    for (int i = 0; i < 11; ++i) fields >> skip;  // state .. cmajflt
    long utime = 0, stime = 0;
    fields >> utime >> stime;
    return utime + stime;
}

long PeakKiB(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

// "p<number>.jpg", built by appending: prepending a literal to a temporary string makes GCC 12 at
// -O3 warn of an overlapping copy (-Wrestrict).
std::string JpegName(int number) {
    std::string name = "p";
    name += std::to_string(number);
    name += ".jpg";
    return name;
}

void FirstFrame(int pictures, xcb_connection_t* c, xcb_window_t root, int w, int h) {
    TSandbox sandbox;
    // Ten distinct pictures, repeated under further names.
    for (int i = 0; i < std::min(pictures, 10); ++i)
        WritePictureFile(MakePattern(i, 1920, 1080),
                         (sandbox.Pics() / JpegName(10000 + i)).string());
    for (int i = 10; i < pictures; ++i)
        std::filesystem::copy_file(sandbox.Pics() / JpegName(10000 + i % 10),
                                   sandbox.Pics() / JpegName(10000 + i));
    double best = 1e9, sum = 0;
    const int runs = 5;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        auto process = sandbox.Start({"/S"});
        while (!ScreenNotBlack(c, root, w, h) && Clock::now() - start < std::chrono::seconds(30)) {
        }
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        best = std::min(best, ms);
        sum += ms;
        process->Signal(SIGTERM);
        process->Wait(10000);
        // The next run starts from a black screen again.
        while (ScreenNotBlack(c, root, w, h)) usleep(10000);
    }
    std::printf("first frame on screen, %4d pictures: best %.0f ms, mean %.0f ms (%d runs)\n",
                pictures, best, sum / runs, runs);
}

void CpuUse(int seconds) {
    TSandbox sandbox;
    for (int i = 0; i < 10; ++i)
        WritePictureFile(MakePattern(i, 1920, 1080), (sandbox.Pics() / JpegName(10 + i)).string());
    auto process = sandbox.Start({"/S"});  // the default settings: step 4, 40 ms, 1000 ms pause
    const long hz = sysconf(_SC_CLK_TCK);
    const int sampleMs = 100;
    long previous = CpuTicks(process->Pid());
    long busyTicks = 0, idleTicks = 0;
    int busySamples = 0, idleSamples = 0, transitions = 0;
    bool busy = false;
    for (int i = 0; i < seconds * 1000 / sampleMs; ++i) {
        usleep(sampleMs * 1000);
        const long now = CpuTicks(process->Pid());
        const long delta = now - previous;
        previous = now;
        // A sample with next to no processor time lies in a pause.
        const bool active = delta * 1000 / hz > sampleMs / 20;
        if (active && !busy) ++transitions;
        busy = active;
        (active ? busyTicks : idleTicks) += delta;
        (active ? busySamples : idleSamples) += 1;
    }
    const double total = double(busyTicks + idleTicks) / double(hz);
    std::printf(
        "full-screen show at %s for %d s: %.2f s processor time in all (%.1f%% of one core)\n",
        "1920x1080", seconds, total, 100.0 * total / seconds);
    std::printf(
        "  during transitions: %.1f%% of one core over %d samples, about %.2f s per "
        "transition (%d transitions)\n",
        busySamples ? 100.0 * double(busyTicks) / hz / (busySamples * sampleMs / 1000.0) : 0.0,
        busySamples, transitions ? double(busyTicks) / hz / transitions : 0.0, transitions);
    std::printf(
        "  during the pauses: %.2f%% of one core over %d samples\n",
        idleSamples ? 100.0 * double(idleTicks) / hz / (idleSamples * sampleMs / 1000.0) : 0.0,
        idleSamples);
    process->Signal(SIGTERM);
    process->Wait(10000);
}

void PeakMemory() {
    TSandbox sandbox;
    WritePictureFile(MakePattern(3, 6000, 4000), (sandbox.Pics() / "big.jpg").string());
    WriteText(sandbox.ConfigFile(), "[frmOptions]\nsePicDelay.Value=500\n");
    auto process = sandbox.Start({"/S"});
    sleep(8);  // several transitions of the big picture onto itself
    std::printf("peak memory with a 6000x4000 JPEG: %ld MiB (VmHWM)\n",
                PeakKiB(process->Pid()) / 1024);
    process->Signal(SIGTERM);
    process->Wait(10000);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "corvane-show-bench: no X server (run it under xvfb-run)\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    std::printf("screen %dx%d\n", screen->width_in_pixels, screen->height_in_pixels);
    FirstFrame(10, c, screen->root, screen->width_in_pixels, screen->height_in_pixels);
    FirstFrame(1000, c, screen->root, screen->width_in_pixels, screen->height_in_pixels);
    CpuUse(seconds);
    PeakMemory();
    xcb_disconnect(c);
    return 0;
}
