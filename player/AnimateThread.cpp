#include "player/AnimateThread.h"

#include <chrono>

#include "player/CustomTransitionPlayer.h"
#include "player/ThreadPriority.h"

namespace corvane {

namespace {
// The worker whose body the thread runs; set by the body itself, so a handler it raises can tell
// without reading anything the control's thread writes.
thread_local TAnimateThread* RunningWorker = nullptr;
}  // namespace

TAnimateThread* TAnimateThread::Current() {
    return RunningWorker;
}

TAnimateThread::TAnimateThread(TCustomTransitionPlayer& player, TThreadPriority priority)
    : FPlayer(player), FPriority(priority) {
    FThread = std::thread([this] { Run(); });
}

TAnimateThread::~TAnimateThread() {
    {
        std::lock_guard lock(FMutex);
        FTerminated = true;
        FAbandoned = true;
    }
    FChanged.notify_all();
    if (FThread.joinable()) FThread.join();
}

void TAnimateThread::Terminate() {
    {
        std::lock_guard lock(FMutex);
        FTerminated = true;
    }
    FChanged.notify_all();
}

bool TAnimateThread::Finishing() const {
    std::lock_guard lock(FMutex);
    return FFinishing;
}

void TAnimateThread::Run() {
    RunningWorker = this;
    ApplyThreadPriority(FPriority);
    FStarted = true;
    try {
        int32_t step = FPlayer.Step();
        while (!Terminated() && FPlayer.Busy()) {
            const TFrameResult frame = FPlayer.NextFrame(step, this);
            if (!frame.GoesOn) {
                Terminate();
                break;
            }
            if (Terminated()) break;
            const int32_t delay = FPlayer.Delay();
            const int64_t wait = int64_t(delay) - int64_t(frame.Time);
            if (wait >= 0) {
                Sleep(wait);
                step = FPlayer.Step();
            } else if (FPlayer.ExactTiming()) {
                step = ScaledStep(FPlayer.Step(), frame.Time, delay);
            }
        }
    } catch (...) {
        FError = std::current_exception();
    }
    {
        std::lock_guard lock(FMutex);
        FFinishing = true;
    }
    FChanged.notify_all();
    FPlayer.PostToSelf(TCustomTransitionPlayer::CompletionEvent);
}

void TAnimateThread::Sleep(int64_t ms) {
    std::unique_lock lock(FMutex);
    FChanged.wait_for(lock, std::chrono::milliseconds(ms), [this] { return FTerminated.load(); });
}

void TAnimateThread::RequestRepaint() {
    std::unique_lock lock(FMutex);
    if (FAbandoned) return;
    const uint64_t ticket = ++FRequested;
    lock.unlock();
    FChanged.notify_all();
    FPlayer.PostToSelf(TCustomTransitionPlayer::RepaintRequestEvent);
    lock.lock();
    FChanged.wait(lock, [&] { return FServed >= ticket || FAbandoned; });
}

bool TAnimateThread::ServeRepaint(const std::function<void()>& paint) {
    std::unique_lock lock(FMutex);
    if (FServed >= FRequested) return false;
    const uint64_t upTo = FRequested;
    lock.unlock();
    struct TAnswer {
        TAnimateThread& Thread;
        uint64_t UpTo;
        ~TAnswer() {
            {
                std::lock_guard lock(Thread.FMutex);
                Thread.FServed = std::max(Thread.FServed, UpTo);
            }
            Thread.FChanged.notify_all();
        }
    } answer{*this, upTo};
    paint();
    return true;
}

void TAnimateThread::WaitFor(const std::function<void()>& paint) {
    std::unique_lock lock(FMutex);
    for (;;) {
        if (FServed < FRequested) {
            lock.unlock();
            ServeRepaint(paint);
            lock.lock();
            continue;
        }
        if (FFinishing) break;
        FChanged.wait(lock);
    }
    lock.unlock();
    if (FThread.joinable()) FThread.join();
}

}  // namespace corvane
