// A probe of the main thread's responsiveness, for corvane-show-bench: loaded into the program
// with LD_PRELOAD, it posts a small call to the application object every 10 ms from a thread of
// its own (one call in flight at a time) and notes how long each took to be served. The longest
// wait is the longest time the main thread did not serve its events, to within those 10 ms. Each
// call that waited 5 ms or more is appended to the file named by CORVANE_STALL_PROBE_FILE as
// "<when it was posted, ns of the monotonic clock> <ms it waited>"; a call still waiting is
// written every 200 ms with what it has waited so far.
//
// Nothing of the program is changed; without the variable the probe does nothing.

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

void StopProbe();

struct TProbe {
    std::string File;
    std::mutex Mutex;
    std::condition_variable Answered;
    bool Pending = false;
    double Waited = 0;
    std::atomic<bool> Stopping{false};
    // Held while a call is posted; the application's end takes it once to stop the posting.
    std::mutex PostLock;
    bool Registered = false;

    void Note(Clock::time_point sent, double ms) {
        if (ms < 5) return;
        if (std::FILE* out = std::fopen(File.c_str(), "a")) {
            std::fprintf(
                out, "%lld %.1f\n",
                static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::nanoseconds>(sent.time_since_epoch())
                        .count()),
                ms);
            std::fclose(out);
        }
    }

    void Run() {
        while (!QCoreApplication::instance() && !Stopping)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        while (!Stopping) {
            const auto sent = Clock::now();
            {
                std::lock_guard post(PostLock);
                QCoreApplication* app = QCoreApplication::instance();
                if (!app || Stopping) break;
                {
                    std::lock_guard lock(Mutex);
                    Pending = true;
                }
                QMetaObject::invokeMethod(
                    app,
                    [this, sent] {
                        if (!Registered) {
                            Registered = true;
                            qAddPostRoutine(StopProbe);
                        }
                        const double ms =
                            std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
                        std::lock_guard lock(Mutex);
                        Waited = ms;
                        Pending = false;
                        Answered.notify_all();
                    },
                    Qt::QueuedConnection);
            }
            std::unique_lock lock(Mutex);
            // The wait ends when the call is served, or now and then to see whether the
            // application is going away; an unserved call still counts for what it waited.
            while (Pending && !Stopping) {
                Answered.wait_for(lock, std::chrono::milliseconds(200));
                if (Pending)
                    Note(sent,
                         std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
            }
            const double waited = Waited;
            lock.unlock();
            Note(sent, waited);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
};

TProbe* Probe = nullptr;

// Runs on the main thread as the application object goes: no call is posted after it.
void StopProbe() {
    std::lock_guard post(Probe->PostLock);
    Probe->Stopping = true;
    Probe->Answered.notify_all();
}

__attribute__((constructor)) void StartProbe() {
    const char* file = std::getenv("CORVANE_STALL_PROBE_FILE");
    if (!file || !*file) return;
    Probe = new TProbe;
    Probe->File = file;
    // Left running until the process ends; it posts nothing once the application object goes.
    std::thread([] { Probe->Run(); }).detach();
}

}  // namespace
