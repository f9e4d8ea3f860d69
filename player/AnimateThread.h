#pragma once
// The worker thread of a threaded transition. It advances the player's progress frame by frame,
// paces the frames by the player's delay, and at its end (also when a frame fails, and as soon as
// the transition is no longer Busy) posts the completion event to the player. It never finishes
// the transition itself.
//
// The repaint hand-over: after each frame the worker asks the control's thread to repaint and
// waits until it has. Requests are numbered; Requested >= Served always holds, and a request is
// answered when Served reaches its number. The control's thread answers them from the posted
// wake-up event or, while it waits for the worker to end, from WaitFor.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "player/PlayerTypes.h"

namespace corvane {

class TAnimateThread {
public:
    // Starts the thread at once; its first acts are taking the priority and setting Started.
    TAnimateThread(TCustomTransitionPlayer& player, TThreadPriority priority);
    // Tells the thread to terminate, releases a repaint request it waits on, and waits for it.
    ~TAnimateThread();
    TAnimateThread(const TAnimateThread&) = delete;
    TAnimateThread& operator=(const TAnimateThread&) = delete;

    TThreadPriority Priority() const { return FPriority; }
    bool Started() const { return FStarted; }
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // The worker the calling thread is, or none.
    static TAnimateThread* Current();
    TCustomTransitionPlayer& Player() const { return FPlayer; }
    // The body has left its loop and is about to post the completion event (or has).
    bool Finishing() const;
    // What ended the body with an error; read after the thread has ended.
    std::exception_ptr Error() const { return FError; }

    // Worker side: asks the control's thread to repaint and waits until it has.
    void RequestRepaint();

    // Control's thread: answers a waiting repaint request with paint; false when none waits.
    bool ServeRepaint(const std::function<void()>& paint);
    // Control's thread: answers repaint requests until the body has finished, then waits for the
    // thread to end. Never blocks on a worker that waits for a repaint.
    void WaitFor(const std::function<void()>& paint);

private:
    TCustomTransitionPlayer& FPlayer;
    const TThreadPriority FPriority;
    std::atomic<bool> FStarted{false};
    std::atomic<bool> FTerminated{false};
    mutable std::mutex FMutex;
    std::condition_variable FChanged;
    uint64_t FRequested = 0;  // guarded by FMutex
    uint64_t FServed = 0;     // guarded by FMutex
    bool FFinishing = false;  // guarded by FMutex
    bool FAbandoned = false;  // guarded by FMutex: nobody will serve requests any more
    std::exception_ptr FError;
    std::thread FThread;

    void Run();
    // Sleeps up to ms milliseconds; a terminate request ends the sleep early.
    void Sleep(int64_t ms);
};

}  // namespace corvane
