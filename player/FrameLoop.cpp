// The frame loop of the player: advancing the progress, the threaded and unthreaded runs, the
// completion hand-back to the control's thread, and the Manual switch.

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <utility>

#include "effects/FrameComposer.h"
#include "platform/Clock.h"
#include "player/AnimateThread.h"
#include "player/CustomTransitionPlayer.h"

namespace corvane {

TFrameResult TCustomTransitionPlayer::NextFrame(int32_t step, TAnimateThread* worker) {
    const uint32_t t0 = GetTickCount32();
    const bool reverse = FReverse;
    SetProgressFrom(NextProgress(FProgress, step, reverse), worker);
    const int progress = FProgress;
    // A transition finished meanwhile (by a handler) goes on no further.
    const bool goesOn = FBusy && (reverse ? progress != 0 : progress != 100);
    return TFrameResult{goesOn, GetTickCount32() - t0};
}

void TCustomTransitionPlayer::SetProgressFrom(int value, TAnimateThread* worker) {
    value = std::clamp(value, 0, 100);
    if (!FBusy || value == FProgress) return;
    {
        std::lock_guard lock(FFrameLock);
        FProgress = uint8_t(value);
        UpdateFrame();
    }
    // No lock is held here: the control's thread may need them to paint.
    if (worker)
        worker->RequestRepaint();
    else
        RepaintPlacementNow();
    DoProgress();
}

void TCustomTransitionPlayer::RepaintPlacementNow() {
    if (QThread::currentThread() != thread()) {
        // Only the control's thread may paint; from elsewhere the repaint is asked for.
        QMetaObject::invokeMethod(this, "update", Qt::QueuedConnection);
        return;
    }
    TRect changed;
    {
        std::lock_guard lock(FScreenBitmap.Surface().Lock());
        changed = std::exchange(FChangedSource, TRect{});
    }
    const TRect area = Intersect(PlacementOf(changed), FPlacementRect);
    QRegion region = std::exchange(FMissedPaint, QRegion());
    if (!area.IsEmpty()) region += ToQRect(area);
    if (region.isEmpty()) return;
    repaint(region);
}

TRect TCustomTransitionPlayer::PlacementOf(const TRect& source) const {
    const TRect place = FPlacementRect;
    const int64_t sw = FSourceRect.Width(), sh = FSourceRect.Height();
    if (source.IsEmpty() || place.IsEmpty() || sw <= 0 || sh <= 0) return TRect{};
    // Where the scaling takes those source pixels, widened by a pixel for the rounding.
    const int64_t n = place.Width(), m = place.Height();
    auto low = [](int64_t s, int64_t size, int64_t sourceSize) {
        return s * size / sourceSize - 1;
    };
    auto high = [](int64_t s, int64_t size, int64_t sourceSize) {
        return (s * size + sourceSize - 1) / sourceSize + 1;
    };
    return Intersect(TRect{ClampCoord(place.Left + low(source.Left, n, sw)),
                           ClampCoord(place.Top + low(source.Top, m, sh)),
                           ClampCoord(place.Left + high(source.Right, n, sw)),
                           ClampCoord(place.Top + high(source.Bottom, m, sh))},
                     place);
}

void TCustomTransitionPlayer::Animate() {
    ++FRunId;
    FStopRequested = false;
    if (FThreaded) {
        FAnimThread = std::make_unique<TAnimateThread>(*this, FThreadPriority);
        return;
    }
    RunUnthreaded();
}

void TCustomTransitionPlayer::RunUnthreaded() {
    const uint64_t run = FRunId;
    int32_t step = FStep;
    for (;;) {
        // A handler may have finished this transition, or begun another run, meanwhile.
        if (!Runs(run)) return;
        const TFrameResult frame = NextFrame(step, nullptr);
        if (!frame.GoesOn || FManual || FStopping || !Runs(run)) break;
        const int32_t delay = FDelay;
        const int64_t wait = int64_t(delay) - int64_t(frame.Time);
        if (wait >= 0) {
            WaitProcessingMessages(uint32_t(wait), run);
            step = FStep;
        } else if (FExactTiming) {
            step = ScaledStep(FStep, frame.Time, delay);
        }
    }
    if (Runs(run) && (FStopping || !FManual)) FinishTransition(false);
}

void TCustomTransitionPlayer::WaitProcessingMessages(uint32_t wait, uint64_t run) {
    const uint32_t deadline = GetTickCount32() + wait;
    // Pending messages are processed at least once per frame.
    QCoreApplication::processEvents();
    // Then the thread sleeps in the event loop until a message comes or the deadline timer
    // wakes it, rather than spinning.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    for (;;) {
        if (FManual || FStopping || !Runs(run)) return;
        const int32_t remaining = int32_t(deadline - GetTickCount32());
        if (remaining <= 0) return;
        if (!wake.isActive()) wake.start(remaining);
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

bool TCustomTransitionPlayer::WaitForThread() {
    if (!FAnimThread) return false;
    TAnimateThread* worker = FAnimThread.get();
    worker->Terminate();
    worker->WaitFor([this] { RepaintPlacementNow(); });
    // The worker has posted its completion event; dispatch it now, that event type only.
    if (worker->Started()) QCoreApplication::sendPostedEvents(this, CompletionEvent);
    if (FAnimThread.get() == worker) HandleCompletion();
    return true;
}

void TCustomTransitionPlayer::HandleCompletion() {
    // A worker that has not left its loop has not posted this event.
    if (!FAnimThread || !FAnimThread->Finishing()) return;
    std::unique_ptr<TAnimateThread> worker = std::move(FAnimThread);
    worker->WaitFor([this] { RepaintPlacementNow(); });
    const std::exception_ptr error = worker->Error();
    worker.reset();
    if (FStopRequested.exchange(false) && FBusy && !FStopping) {
        // A handler on the worker stopped it: finish as Stop does, with OnStop alone.
        FStopping = true;
        struct TStopMark {
            bool& Mark;
            ~TStopMark() { Mark = false; }
        } mark{FStopping};
        FinishTransition(error != nullptr);
    } else if (FStopping || !FManual) {
        // A failed frame ends the transition, but it has not reached its end: no OnComplete.
        FinishTransition(error != nullptr);
    }
    if (error) std::rethrow_exception(error);
}

void TCustomTransitionPlayer::SetManual(bool value) {
    if (value == FManual) return;
    FManual = value;
    WaitForThread();
    if (!FBusy)
        FProgress = FReverse ? 100 : 0;
    else if (!value)
        Animate();
}

void TCustomTransitionPlayer::PostToSelf(QEvent::Type type) {
    QEvent* event = new QEvent(type);
    // Pairs with the lock in customEvent, which thereby sees the event fully made.
    { std::lock_guard lock(FPostLock); }
    QCoreApplication::postEvent(this, event);
}

void TCustomTransitionPlayer::customEvent(QEvent* event) {
    { std::lock_guard lock(FPostLock); }
    const QEvent::Type type = event->type();
    if (type == CompletionEvent) {
        HandleCompletion();
    } else if (type == RepaintRequestEvent) {
        if (FAnimThread) FAnimThread->ServeRepaint([this] { RepaintPlacementNow(); });
    } else {
        QWidget::customEvent(event);
    }
}

}  // namespace corvane
