// corvane-show-bench: measures the program itself on an X server (run it under xvfb-run with a
// 1920x1080 screen). It reports
//  - the time from process start to the first frame on screen with 10 and with 1000 pictures;
//  - for a minute of the full-screen show with the default settings, once on a folder of 12 to
//    24 megapixel photographs and once on 1920x1080 ones: the processor time (in all, during
//    transitions, during the pauses), the peak memory against 3.5 times the 32-bit size of the
//    largest picture plus 64 MiB, and the longest stall of the program's main thread;
//  - the time from a key press to the window gone, at random moments of the show on the large
//    photographs.
// The pictures are made here (photographic make-up: gradients, texture, grain, sharp edges).
// Not a test: it prints what it measured.
//
// The main thread's stalls are measured by a probe loaded into the program (StallProbe.cpp, through
// LD_PRELOAD), which posts a call to the application every 10 ms and notes how long each waited
// to be served.
//
// Usage: corvane-show-bench [seconds per show run, default 60] [key-press trials, default 12]

#include <poll.h>
#include <signal.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <vector>

#include "ProgramFixtures.h"
#include "tools/common/PictureWriters.h"
#include "tools/samples/Patterns.h"

using namespace corvane;
using namespace corvane::test;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

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

// Bytes the process has read (files and sockets alike).
long long ReadBytes(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/io");
    std::string name;
    long long value = 0;
    while (in >> name >> value)
        if (name == "rchar:") return value;
    return 0;
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

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    auto* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
}

// The X side of the bench: finding the show's window, pressing a key, watching the window go.
class TDisplay {
  public:
    TDisplay() : FConnection(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(FConnection)) return;
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data;
        FRoot = screen->root;
        FWidth = screen->width_in_pixels;
        FHeight = screen->height_in_pixels;
        FPidAtom = Atom(FConnection, "_NET_WM_PID");
    }
    ~TDisplay() { xcb_disconnect(FConnection); }

    bool Ok() const { return !xcb_connection_has_error(FConnection); }
    xcb_connection_t* Connection() const { return FConnection; }
    xcb_window_t Root() const { return FRoot; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // The mapped top-level window of the process, or none.
    xcb_window_t WindowOf(pid_t pid) {
        auto* tree = xcb_query_tree_reply(FConnection, xcb_query_tree(FConnection, FRoot), nullptr);
        if (!tree) return XCB_NONE;
        xcb_window_t found = XCB_NONE;
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i) {
            auto* attributes = xcb_get_window_attributes_reply(
                FConnection, xcb_get_window_attributes(FConnection, children[i]), nullptr);
            const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            std::free(attributes);
            if (!viewable) continue;
            auto* property = xcb_get_property_reply(
                FConnection,
                xcb_get_property(FConnection, 0, children[i], FPidAtom, XCB_ATOM_CARDINAL, 0, 1),
                nullptr);
            if (property && xcb_get_property_value_length(property) == 4 &&
                *static_cast<uint32_t*>(xcb_get_property_value(property)) == uint32_t(pid))
                found = children[i];
            std::free(property);
        }
        std::free(tree);
        return found;
    }

    void PressKey() {
        const uint8_t space = 65;
        xcb_test_fake_input(FConnection, XCB_KEY_PRESS, space, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(FConnection, XCB_KEY_RELEASE, space, XCB_CURRENT_TIME, XCB_NONE, 0, 0,
                            0);
        xcb_flush(FConnection);
    }

    void WatchWindow(xcb_window_t window) {
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(FConnection, window, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(FConnection);
    }

    // Waits up to timeoutMs for the next event; none when the time is up.
    xcb_generic_event_t* NextEvent(int timeoutMs) {
        if (xcb_generic_event_t* e = xcb_poll_for_event(FConnection)) return e;
        pollfd fd{xcb_get_file_descriptor(FConnection), POLLIN, 0};
        if (poll(&fd, 1, std::max(0, timeoutMs)) <= 0) return nullptr;
        return xcb_poll_for_event(FConnection);
    }

  private:
    xcb_connection_t* FConnection;
    xcb_window_t FRoot = XCB_NONE;
    int FWidth = 0, FHeight = 0;
    xcb_atom_t FPidAtom = XCB_NONE;
};

xcb_window_t AwaitWindow(TDisplay& display, TProcess& process, int timeoutMs = 60000) {
    const auto start = Clock::now();
    while (MsSince(start) < timeoutMs && process.Running()) {
        if (xcb_window_t w = display.WindowOf(process.Pid())) return w;
        usleep(20000);
    }
    return XCB_NONE;
}

// --- Pictures ---

struct TPictureSet {
    std::string Name;
    fs::path Folder;
    int64_t LargestPixels = 0;
    double MeanFileBytes = 0;
};

TPictureSet MakePictureSet(const std::string& name, const fs::path& folder,
                           const std::vector<std::pair<int, int>>& sizes) {
    fs::create_directories(folder);
    TPictureSet set{name, folder, 0};
    for (size_t i = 0; i < sizes.size(); ++i) {
        const auto [w, h] = sizes[i];
        std::string name = "photo-";
        name += std::to_string(10 + i);
        name += ".jpg";
        const fs::path file = folder / name;
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (!out) throw std::runtime_error("cannot write " + file.string());
        WriteJpeg(MakePhotoLike(int(i), w, h), out, 92);
        std::fclose(out);
        set.LargestPixels = std::max<int64_t>(set.LargestPixels, int64_t(w) * h);
        set.MeanFileBytes += double(fs::file_size(file)) / double(sizes.size());
    }
    return set;
}

void FillPics(const TSandbox& sandbox, const TPictureSet& set) {
    for (const auto& entry : fs::directory_iterator(set.Folder))
        fs::create_symlink(entry.path(), sandbox.Pics() / entry.path().filename());
}

// --- Measurements ---

void FirstFrame(TDisplay& display, int pictures) {
    TSandbox sandbox;
    // Ten distinct pictures, repeated under further names.
    for (int i = 0; i < std::min(pictures, 10); ++i)
        WritePictureFile(MakePattern(i, 1920, 1080),
                         (sandbox.Pics() / JpegName(10000 + i)).string());
    for (int i = 10; i < pictures; ++i)
        fs::copy_file(sandbox.Pics() / JpegName(10000 + i % 10),
                      sandbox.Pics() / JpegName(10000 + i));
    xcb_connection_t* c = display.Connection();
    double best = 1e9, sum = 0;
    const int runs = 5;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        auto process = sandbox.Start({"/S"});
        while (!ScreenNotBlack(c, display.Root(), display.Width(), display.Height()) &&
               MsSince(start) < 30000) {
        }
        const double ms = MsSince(start);
        best = std::min(best, ms);
        sum += ms;
        process->Signal(SIGTERM);
        process->Wait(10000);
        // The next run starts from a black screen again.
        while (ScreenNotBlack(c, display.Root(), display.Width(), display.Height())) usleep(10000);
    }
    std::printf("first frame on screen, %4d pictures: best %.0f ms, mean %.0f ms (%d runs)\n",
                pictures, best, sum / runs, runs);
}

struct TShowFigures {
    double CpuPercent = 0, BusyPercent = 0, IdlePercent = 0;
    double PicturesRead = 0;  // bytes read over the mean size of a picture file
    double LongestStallMs = 0;
    double PeakMiB = 0, BoundMiB = 0;
    bool Ran = false;
};

// A minute (or the given time) of the full-screen show with the default settings.
TShowFigures MeasureShow(TDisplay& display, const TPictureSet& set, int seconds) {
    TShowFigures f;
    TSandbox sandbox;
    FillPics(sandbox, set);
    const fs::path probe = sandbox.Root() / "stalls.txt";
    auto process = sandbox.Start({"/S"}, {{"LD_PRELOAD", CORVANE_STALL_PROBE},
                                          {"CORVANE_STALL_PROBE_FILE", probe.string()}});
    const xcb_window_t window = AwaitWindow(display, *process);
    if (!window) {
        std::printf("  %s: the show's window did not appear\n%s", set.Name.c_str(),
                    process->Errors().c_str());
        return f;
    }
    const auto shown = Clock::now();
    const long long readBefore = ReadBytes(process->Pid());
    const long hz = sysconf(_SC_CLK_TCK);
    const int sampleMs = 100;
    long previous = CpuTicks(process->Pid());
    long busyTicks = 0, idleTicks = 0;
    int busySamples = 0, idleSamples = 0;

    const auto start = Clock::now();
    while (MsSince(start) < seconds * 1000.0 && process->Running()) {
        usleep(sampleMs * 1000);
        const long now = CpuTicks(process->Pid());
        const long delta = now - previous;
        previous = now;
        // A sample with next to no processor time lies in a pause.
        const bool active = delta * 1000 / hz > sampleMs / 20;
        (active ? busyTicks : idleTicks) += delta;
        (active ? busySamples : idleSamples) += 1;
    }
    // Stalls of the show itself, from the moment its window is up.
    {
        std::ifstream in(probe);
        long long sentNs = 0;
        double ms = 0;
        const long long shownNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(shown.time_since_epoch()).count();
        while (in >> sentNs >> ms)
            if (sentNs >= shownNs) f.LongestStallMs = std::max(f.LongestStallMs, ms);
    }
    f.Ran = process->Running();
    f.PicturesRead = double(ReadBytes(process->Pid()) - readBefore) / set.MeanFileBytes;
    f.PeakMiB = double(PeakKiB(process->Pid())) / 1024.0;
    f.BoundMiB = 3.5 * double(set.LargestPixels) * 4.0 / (1024.0 * 1024.0) + 64.0;
    const double total = double(busyTicks + idleTicks) / double(hz);
    f.CpuPercent = 100.0 * total / seconds;
    f.BusyPercent =
        busySamples ? 100.0 * double(busyTicks) / hz / (busySamples * sampleMs / 1000.0) : 0.0;
    f.IdlePercent =
        idleSamples ? 100.0 * double(idleTicks) / hz / (idleSamples * sampleMs / 1000.0) : 0.0;
    if (!f.Ran)
        std::printf("  %s: the show ended by itself\n%s", set.Name.c_str(),
                    process->Errors().c_str());
    process->Signal(SIGTERM);
    process->Wait(10000);
    return f;
}

void PrintShow(const std::string& name, const TShowFigures& f, int seconds) {
    std::printf("%s, %d s of the show:\n", name.c_str(), seconds);
    std::printf(
        "  processor time %.1f%% of one core (%.1f%% in busy samples, %.2f%% in quiet ones); "
        "about %.0f pictures read, %.2f s of processor time per picture\n",
        f.CpuPercent, f.BusyPercent, f.IdlePercent, f.PicturesRead,
        f.PicturesRead > 0 ? f.CpuPercent / 100.0 * seconds / f.PicturesRead : 0.0);
    std::printf("  peak memory %.0f MiB (bound 3.5 x largest picture + 64 MiB = %.0f MiB)\n",
                f.PeakMiB, f.BoundMiB);
    std::printf("  longest main-thread stall %.0f ms%s\n", f.LongestStallMs,
                f.Ran ? "" : "; the show did not run to the end");
}

// Key presses at random moments of the show: the time from the press to the window unmapped.
void InputToGone(TDisplay& display, const TPictureSet& set, int trials) {
    TSandbox sandbox;
    FillPics(sandbox, set);
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> moment(1500, 12000);
    std::vector<double> times;
    for (int trial = 0; trial < trials; ++trial) {
        auto process = sandbox.Start({"/S"});
        const xcb_window_t window = AwaitWindow(display, *process);
        if (!window) continue;
        display.WatchWindow(window);
        usleep(useconds_t(moment(rng)) * 1000);
        while (xcb_generic_event_t* e = display.NextEvent(0)) std::free(e);
        const auto pressed = Clock::now();
        display.PressKey();
        double gone = -1;
        while (gone < 0 && MsSince(pressed) < 10000) {
            xcb_generic_event_t* e = display.NextEvent(100);
            if (!e) continue;
            const uint8_t type = e->response_type & 0x7F;
            if ((type == XCB_UNMAP_NOTIFY &&
                 reinterpret_cast<xcb_unmap_notify_event_t*>(e)->window == window) ||
                (type == XCB_DESTROY_NOTIFY &&
                 reinterpret_cast<xcb_destroy_notify_event_t*>(e)->window == window))
                gone = MsSince(pressed);
            std::free(e);
        }
        times.push_back(gone < 0 ? 10000 : gone);
        process->Wait(10000);
        process->Signal(SIGKILL);
    }
    if (times.empty()) return;
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf(
        "key press to window gone, %zu presses at random moments (%s): median %.0f ms, "
        "longest %.0f ms\n  each:",
        times.size(), set.Name.c_str(), sorted[sorted.size() / 2], sorted.back());
    for (double t : times) std::printf(" %.0f", t);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int trials = argc > 2 ? std::atoi(argv[2]) : 12;
    TDisplay display;
    if (!display.Ok()) {
        std::fprintf(stderr, "corvane-show-bench: no X server (run it under xvfb-run)\n");
        return 2;
    }
    std::printf("screen %dx%d\n", display.Width(), display.Height());
    std::fflush(stdout);
    FirstFrame(display, 10);
    FirstFrame(display, 1000);
    std::fflush(stdout);

    char pattern[] = "/tmp/corvane-show-bench-XXXXXX";
    if (!mkdtemp(pattern)) return 2;
    const fs::path pictures = pattern;
    const TPictureSet photos = MakePictureSet(
        "12-24 MP photographs", pictures / "photos",
        {{4000, 3000}, {5472, 3648}, {3456, 4608}, {6000, 4000}, {4896, 3264}, {5184, 3456}});
    const TPictureSet screen = MakePictureSet(
        "1920x1080 photographs", pictures / "screen",
        {{1920, 1080}, {1920, 1080}, {1920, 1080}, {1920, 1080}, {1920, 1080}, {1920, 1080}});

    const TShowFigures big = MeasureShow(display, photos, seconds);
    PrintShow(photos.Name, big, seconds);
    std::fflush(stdout);
    const TShowFigures small = MeasureShow(display, screen, seconds);
    PrintShow(screen.Name, small, seconds);
    if (small.CpuPercent > 0)
        std::printf("processor time with the large photographs: %.1f x that with 1920x1080 ones\n",
                    big.CpuPercent / small.CpuPercent);
    std::fflush(stdout);
    InputToGone(display, photos, trials);

    std::error_code ignored;
    fs::remove_all(pictures, ignored);
    return 0;
}
