#pragma once
// The transition player control: it shows one frame and, on Execute, replaces it by Picture
// through an animated transition drawn frame by frame for a progress from 0 to 100.
//
// Frames are composed at the new picture's own pixel size (OldFrame, PictureBitmap and
// ScreenBitmap all have it during a transition) and scaled once, nearest pixel, onto
// PlacementRect when painted. Busy holds from the start of Execute until the transition is
// finished; OldFrame and PictureBitmap exist exactly while it holds.
//
// The transition bitmaps cost as little as the pictures allow: PictureBitmap is the picture's
// own decoded pixels when drawing it at its size would only copy them, and OldFrame is the last
// picture's pixels when the frame shown is known to be exactly that picture; such a shared
// bitmap is only read, and copied first if a handler is to receive it. Each frame starts again
// from the old frame, but ScreenBitmap notes where it is written, so only what the last frame
// changed is copied back from OldFrame (the frame is the same as with a full copy).
//
// Threads: the control lives on the thread that made it. In threaded mode one worker
// (TAnimateThread) composes the frames and raises the per-frame events and OnProgress; it asks
// the control's thread for each repaint and waits for it, and posts the completion event at its
// end. Locks, always taken in this order: FrameLock (progress and style against composition),
// then the drawing locks of PictureBitmap, ScreenBitmap and OldFrame. All are re-entrant, so a
// handler may call back into the player on the thread that raised it. None is held across a
// repaint request. The properties the worker reads without a lock are atomic.

#include <QEvent>
#include <QRegion>
#include <QStringList>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "effects/EffectCatalog.h"
#include "imaging/Picture.h"
#include "platform/raster/Bitmap32.h"
#include "player/FrameRestorer.h"
#include "player/FrameTiming.h"
#include "player/PlayerTypes.h"
#include "player/QtGeometry.h"

namespace corvane {

class TAnimateThread;

class TCustomTransitionPlayer : public QWidget {
    Q_OBJECT

public:
    // The completion event the worker posts to the control; handled on the control's thread.
    static constexpr QEvent::Type CompletionEvent = QEvent::Type(QEvent::User + 1);
    // The worker's wake-up for a repaint request it waits on.
    static constexpr QEvent::Type RepaintRequestEvent = QEvent::Type(QEvent::User + 2);

    explicit TCustomTransitionPlayer(QWidget* parent = nullptr);
    ~TCustomTransitionPlayer() override;

    // --- Pictures (set by copying) ---
    TPicture& Picture() { return FPicture; }
    void SetPicture(const TPicture& value) { FPicture.Assign(value); }
    TPicture& BgPicture() { return FBgPicture; }
    void SetBgPicture(const TPicture& value) { FBgPicture.Assign(value); }

    // --- Look ---
    TBackgroundMode BgMode() const { return FBgMode; }
    void SetBgMode(TBackgroundMode value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value);
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor value);
    int32_t FrameWidth() const { return FFrameWidth; }
    void SetFrameWidth(int32_t value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool OverDraw() const { return FOverDraw; }
    void SetOverDraw(bool value) { FOverDraw = value; }

    // --- Running ---
    bool Threaded() const { return FThreaded; }
    void SetThreaded(bool value) { FThreaded = value; }
    TThreadPriority ThreadPriority() const { return FThreadPriority; }
    void SetThreadPriority(TThreadPriority value) { FThreadPriority = value; }
    bool Manual() const { return FManual; }
    void SetManual(bool value);
    TShowStyle Style() const { return FStyle; }
    void SetStyle(int value);
    std::string StyleName() const;
    void SetStyleName(const std::string& value);
    int Step() const { return FStep; }
    void SetStep(int value);
    int Delay() const { return FDelay; }
    void SetDelay(int value);
    int Progress() const { return FProgress; }
    void SetProgress(int value);
    bool Reverse() const { return FReverse; }
    void SetReverse(bool value) { FReverse = value; }
    bool ExactTiming() const { return FExactTiming; }
    void SetExactTiming(bool value) { FExactTiming = value; }
    bool Busy() const { return FBusy; }

    // --- Automatic size ---
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    // The preferred size for the automatic size; false when the control keeps its size.
    bool CanAutoSize(int& newWidth, int& newHeight) const;
    QSize sizeHint() const override;

    // --- State for the painting and the tests ---
    const Bitmap32& ScreenBitmap() const { return FScreenBitmap; }
    TRect PlacementRect() const { return FPlacementRect; }
    TRect SourceRect() const { return FSourceRect; }
    // The worker of the running threaded transition, or none.
    const TAnimateThread* AnimThread() const { return FAnimThread.get(); }

    // Applies a property stored by name in a form description: the published properties by
    // their names, and "StretchFine", whose Boolean goes to Proportional. False for an unknown
    // name or a value that does not convert.
    bool ApplyStoredProperty(const QString& name, const QVariant& value);

    // --- Operations ---
    virtual void Execute();
    virtual void Stop();
    virtual void Clear();
    // Adds the catalogue names in catalogue order; returns how many.
    int GetStyleNames(QStringList& list) const;

    // --- Events ---
    TNotifyEvent OnChange;
    TNotifyEvent OnProgress;
    TNotifyEvent OnComplete;
    TCustomDrawEvent OnCustomDraw;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TCustomDrawEvent OnBeforeNewFrame;
    TCustomDrawEvent OnAfterNewFrame;
    TCustomDrawEvent OnStart;
    TNotifyEvent OnStop;

protected:
    // Ends a running transition without events; every destructor down the hierarchy calls it
    // first, so that the worker is gone before any part of the object is.
    void StopForDestruction();
    // Paints the background into rect of the canvas.
    virtual void PaintBackground(Bitmap32& canvas, const TRect& rect);
    // Paints the whole control: frame, border, background.
    virtual void PaintFrame(Bitmap32& canvas);
    virtual void DoChange();
    virtual void DoProgress();
    virtual void DoCustomDraw(Bitmap32& picture, Bitmap32& screen);
    virtual void DoBeforeNewFrame(Bitmap32& picture, Bitmap32& screen);
    virtual void DoAfterNewFrame(Bitmap32& picture, Bitmap32& screen);
    virtual void DoComplete();
    virtual void DoStart(Bitmap32& picture, Bitmap32& screen);
    virtual void DoStop();
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void customEvent(QEvent* event) override;

private:
    friend class TAnimateThread;

    TPicture FPicture;
    TPicture FBgPicture;
    TBackgroundMode FBgMode = bmTiled;
    TColor FFrameColor = clActiveBorder;
    int32_t FFrameWidth = 0;
    bool FCenter = false;
    bool FStretch = false;
    bool FProportional = false;
    bool FOverDraw = true;
    bool FThreaded = true;
    TThreadPriority FThreadPriority = tpNormal;
    std::atomic<bool> FManual{false};
    std::atomic<TShowStyle> FStyle{51};
    std::atomic<uint16_t> FStep{4};
    std::atomic<uint16_t> FDelay{40};
    std::atomic<uint8_t> FProgress{0};
    std::atomic<bool> FReverse{false};
    std::atomic<bool> FBusy{false};
    std::atomic<bool> FExactTiming{false};
    TColor FColor = clWindow;
    bool FAutoSize = false;
    TAlign FAlign = alNone;

    Bitmap32 FScreenBitmap;
    TRect FPlacementRect{};
    TRect FSourceRect{};
    std::unique_ptr<TAnimateThread> FAnimThread;
    bool FStopping = false;
    bool FPainting = false;
    // What a paint left out because the worker was composing a frame at the time (the control's
    // thread never waits for a frame to be composed); the repaint after that frame covers it.
    QRegion FMissedPaint;
    bool FFromBackground = false;
    bool FPreparing = false;
    bool FDestroying = false;
    // A transition bitmap: composition reads Shared; Own is the same bitmap when it is the
    // player's to write, none when it is shared with a picture. Held through shared pointers so
    // that a frame being composed keeps its bitmaps even if a handler on the same thread
    // finishes the transition meanwhile.
    struct TTransitionBitmap {
        std::shared_ptr<const Bitmap32> Shared;
        std::shared_ptr<Bitmap32> Own;
        explicit operator bool() const { return Shared != nullptr; }
        void Reset();
        void SetOwn(std::shared_ptr<Bitmap32> bitmap);
        void SetShared(std::shared_ptr<const Bitmap32> bitmap);
        // The bitmap to write, made the player's own (a copy) first if it is shared.
        Bitmap32& Writable();
    };
    TTransitionBitmap FOldFrame;
    TTransitionBitmap FPictureBitmap;
    // The shared bitmap whose pixels ScreenBitmap holds exactly, when that is known.
    std::shared_ptr<const Bitmap32> FScreenSource;
    // OldFrame was painted again since ScreenBitmap last held it (guarded by its drawing lock).
    bool FOldFrameChanged = false;
    // What of ScreenBitmap has changed since the frame was last repainted (guarded by its
    // drawing lock): the repaint after a frame covers only that.
    TRect FChangedSource{};
    // Brings ScreenBitmap back to the old frame row by row as each frame is drawn (guarded by
    // its drawing lock).
    TFrameRestorer FRestorer;
    // The one colour of an old frame painted from a plain background, if it is one colour. An
    // old frame of one colour has no pixels (an empty bitmap) until something needs them.
    std::optional<Pixel> FOldFramePlain;
    // Set while the frame bitmap's pixels are not yet filled in: a transition from a background
    // of one colour leaves that fill to its first frame (on the worker, row by row, as the frame
    // is drawn), and until then the frame stands for the colour.
    std::optional<Pixel> FScreenPlain;
    std::recursive_mutex FFrameLock;
    // Set by a Stop from the worker's own thread: the worker ends, and its completion finishes
    // the transition as stopped.
    std::atomic<bool> FStopRequested{false};
    // Orders the allocation of an event the worker posts before its use on this thread.
    std::mutex FPostLock;
    // Counts transitions, so that a loop can tell that its transition has been replaced.
    uint64_t FTransitionId = 0;
    // Counts frame loop runs; an unthreaded loop ends once another run has begun.
    uint64_t FRunId = 0;
    // The paint buffer: the client area, top-down, shown unscaled.
    Bitmap32 FPaintBuffer;

    // Frame loop (FrameLoop.cpp)
    TFrameResult NextFrame(int32_t step, TAnimateThread* worker);
    void SetProgressFrom(int value, TAnimateThread* worker);
    void Animate();
    void RunUnthreaded();
    void WaitProcessingMessages(uint32_t wait, uint64_t run);
    bool Runs(uint64_t run) const { return FBusy && FRunId == run; }
    bool WaitForThread();
    void HandleCompletion();
    void FinishTransition(bool reachedEnd);
    void PostToSelf(QEvent::Type type);
    // Repaints, at once, where the frame has changed since the last such repaint.
    void RepaintPlacementNow();
    // The part of the placement where the given rectangle of the frame is shown.
    TRect PlacementOf(const TRect& source) const;

    // Composition and painting (FramePainting.cpp)
    void Prepare();
    void CalcRects();
    void RenderBackground();
    void UpdateFrame();
    // Makes ScreenBitmap the old frame again, copying only what it is not known to hold.
    // Gives what it wrote.
    TRect RestoreOldFrame(const TTransitionBitmap& oldFrame, int32_t W, int32_t H);
    // The old frame with pixels of the player's own (made from its one colour if need be).
    Bitmap32& MaterialOldFrame();
    // Fills the frame bitmap with the colour it stands for, if it is not filled in yet.
    void FillUnfilledScreen();
    void RecomposeIfManual();
    TRect ClientRect() const { return TRect{0, 0, width(), height()}; }
    Pixel PixelOf(TColor color) const;
    // Runs CalcRects and invalidates when a frame is shown.
    void PlacementChanged();
    void BackgroundChanged();

    void PictureChanged();
    void AdjustAutoSize();
};

}  // namespace corvane
