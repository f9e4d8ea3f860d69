// Building the bitmaps of a transition, composing frames, placing the frame in the client area,
// and painting frame, border and background.

#include <QPaintEvent>
#include <QPainter>

#include "effects/FrameComposer.h"
#include "platform/raster/Drawing.h"
#include "player/CustomTransitionPlayer.h"
#include "player/DrawTiled.h"
#include "player/FrameScaler.h"
#include "player/Placement.h"
#include "player/SystemColors.h"

namespace corvane {

Pixel TCustomTransitionPlayer::PixelOf(TColor color) const {
    return PixelOfColor(color, palette());
}

void TCustomTransitionPlayer::TTransitionBitmap::Reset() {
    Shared.reset();
    Own.reset();
}

void TCustomTransitionPlayer::TTransitionBitmap::SetOwn(std::shared_ptr<Bitmap32> bitmap) {
    Own = bitmap;
    Shared = std::move(bitmap);
}

void TCustomTransitionPlayer::TTransitionBitmap::SetShared(std::shared_ptr<const Bitmap32> bitmap) {
    Own.reset();
    Shared = std::move(bitmap);
}

Bitmap32& TCustomTransitionPlayer::TTransitionBitmap::Writable() {
    if (!Own) SetOwn(std::make_shared<Bitmap32>(*Shared));
    return *Own;
}

namespace {

// The one pixel value of a bitmap all of whose pixels are equal.
std::optional<Pixel> PlainPixel(const Bitmap32& bitmap) {
    if (bitmap.Empty()) return std::nullopt;
    const Pixel first = bitmap.Bits()[0];
    const Pixel* p = bitmap.Bits();
    for (size_t i = 0, n = bitmap.PixelCount(); i < n; ++i)
        if (p[i] != first) return std::nullopt;
    return first;
}

bool PlainSurface(const Bitmap32& bitmap) {
    return !bitmap.Surface().ClipRegion() && bitmap.Surface().Origin() == TPoint{};
}

}  // namespace

void TCustomTransitionPlayer::Prepare() {
    FPreparing = true;
    struct TPreparingMark {
        bool& Mark;
        ~TPreparingMark() { Mark = false; }
    } mark{FPreparing};

    const int32_t W = FPicture.Width(), H = FPicture.Height();
    const TGraphic& graphic = *FPicture.Graphic();
    FScreenBitmap.SetNoteWrites(true);
    // A transition that ended before its first frame left the frame unfilled.
    FillUnfilledScreen();
    // Whatever the frame shown is known to equal; let go of here unless it becomes the old frame.
    std::shared_ptr<const Bitmap32> shown = std::move(FScreenSource);
    const bool sameSize =
        !FScreenBitmap.Empty() && FScreenBitmap.Width() == W && FScreenBitmap.Height() == H;
    bool screenHoldsOldFrame = false;
    FOldFramePlain.reset();
    if (!FOverDraw || !sameSize) {
        FFromBackground = true;
        shown.reset();
        // Painted from the background by CalcRects below; until then, and for as long as the
        // background is one colour, the old frame is that colour alone, without pixels.
        FOldFrame.SetOwn(std::make_shared<Bitmap32>());
        FOldFramePlain = Pixel(0);
    } else {
        FFromBackground = false;
        if (shown)
            FOldFrame.SetShared(std::move(shown));
        else
            FOldFrame.SetOwn(std::make_shared<Bitmap32>(FScreenBitmap));
        screenHoldsOldFrame = true;
    }

    // The new picture over the control's colour, drawn at its own size; or, when drawing it so
    // would only copy its own pixels, those pixels themselves.
    std::shared_ptr<const Bitmap32> image = graphic.OwnSizeImage();
    if (image && image->Width() == W && image->Height() == H) {
        FPictureBitmap.SetShared(std::move(image));
    } else {
        auto picture = std::make_shared<Bitmap32>(W, H, PixelOf(FColor));
        {
            TPicture::ChangeSuspension quiet(FPicture);
            graphic.Draw(*picture, TRect{0, 0, W, H});
        }
        FPictureBitmap.SetOwn(picture);
    }

    if (!sameSize) FScreenBitmap.SetSizeForOverwrite(W, H);
    FSourceRect = TRect{0, 0, W, H};
    CalcRects();
    if (!screenHoldsOldFrame) {
        if (FOldFramePlain && !FManual && !OnStart) {
            // Filling a large picture's frame would hold up this thread; the first frame fills
            // it as it goes, the whole frame counting as changed.
            std::lock_guard lock(FScreenBitmap.Surface().Lock());
            FScreenPlain = FOldFramePlain;
        } else if (FOldFramePlain) {
            FillRect(FScreenBitmap, TRect{0, 0, W, H}, *FOldFramePlain);
        } else {
            BitBlt(FScreenBitmap, 0, 0, W, H, *FOldFrame.Shared, 0, 0);
        }
    }
    FOldFrameChanged = false;
    if (PlainSurface(FScreenBitmap) && !FScreenPlain)
        FScreenBitmap.ResetTouched();
    else
        FScreenBitmap.TouchAll();
    FProgress = FReverse ? 100 : 0;
    update();
    if (OnStart) {
        // The handler may draw on both; the first frame then starts from a full copy.
        Bitmap32& oldFrame = MaterialOldFrame();
        DoStart(FPictureBitmap.Writable(), oldFrame);
        FScreenBitmap.TouchAll();
    }
    FRestorer.Reset(H, FScreenBitmap.Touched());
}

void TCustomTransitionPlayer::FillUnfilledScreen() {
    std::lock_guard lock(FScreenBitmap.Surface().Lock());
    if (!FScreenPlain) return;
    FillRect(FScreenBitmap, FScreenBitmap.Bounds(), *FScreenPlain);
    FScreenPlain.reset();
}

Bitmap32& TCustomTransitionPlayer::MaterialOldFrame() {
    const int32_t W = int32_t(FSourceRect.Width()), H = int32_t(FSourceRect.Height());
    if (FOldFrame.Shared->Empty() && W > 0 && H > 0) {
        FOldFrame.SetOwn(std::make_shared<Bitmap32>(W, H, FOldFramePlain.value_or(0)));
        FOldFrameChanged = true;
    }
    return FOldFrame.Writable();
}

void TCustomTransitionPlayer::CalcRects() {
    TPlacementInput in;
    in.ClientWidth = width();
    in.ClientHeight = height();
    in.FrameWidth = FFrameWidth;
    in.SourceWidth = int32_t(FSourceRect.Width());
    in.SourceHeight = int32_t(FSourceRect.Height());
    in.Proportional = FProportional;
    in.Stretch = FStretch;
    in.Center = FCenter;
    FPlacementRect = CalcPlacement(in);
    if (FFromBackground && FOldFrame) RenderBackground();
}

void TCustomTransitionPlayer::RenderBackground() {
    const TRect place = FPlacementRect;
    Bitmap32 under(int32_t(place.Width()), int32_t(place.Height()));
    // The part of the background that lies under the placement.
    under.Surface().SetOrigin(TPoint{-place.Left, -place.Top});
    PaintBackground(under, ClientRect());
    under.Surface().SetOrigin(TPoint{});
    if (!under.Empty()) {
        // Not while a frame is being composed from the old frame.
        std::lock_guard frameLock(FFrameLock);
        const std::optional<Pixel> plain = PlainPixel(under);
        const int32_t W = int32_t(FSourceRect.Width()), H = int32_t(FSourceRect.Height());
        if (plain && FOldFrame.Shared->Empty()) {
            // A background of one colour scaled onto the old frame is that colour everywhere.
            std::lock_guard lock(FOldFrame.Shared->Surface().Lock());
            FOldFramePlain = plain;
        } else {
            Bitmap32& oldFrame = MaterialOldFrame();
            std::lock_guard lock(oldFrame.Surface().Lock());
            if (plain)
                FillRect(oldFrame, TRect{0, 0, W, H}, *plain);
            else
                StretchBlt(oldFrame, 0, 0, W, H, under, 0, 0, under.Width(), under.Height());
            FOldFramePlain = plain && PlainSurface(oldFrame) ? plain : std::nullopt;
        }
        FOldFrameChanged = true;
    }
    RecomposeIfManual();
}

void TCustomTransitionPlayer::RecomposeIfManual() {
    // While a transition is being prepared there is no frame to compose yet.
    if (!FBusy || !FManual || FStopping || FPreparing) return;
    {
        std::lock_guard lock(FFrameLock);
        UpdateFrame();
    }
    update(ToQRect(FPlacementRect));
}

TRect TCustomTransitionPlayer::RestoreOldFrame(const TTransitionBitmap& old, int32_t W, int32_t H) {
    Bitmap32& screen = FScreenBitmap;
    const Bitmap32& oldFrame = *old.Shared;
    // A shared bitmap is never written, so only one of the player's own needs its lock.
    std::unique_lock<std::recursive_mutex> lock;
    if (old.Own) lock = std::unique_lock(oldFrame.Surface().Lock());
    // An old frame without pixels is its one colour.
    const bool plain = oldFrame.Empty() && FOldFramePlain.has_value();
    const Pixel colour = plain ? *FOldFramePlain : 0;
    auto copy = [&](const TRect& r) {
        if (plain)
            FillRect(screen, r, colour);
        else
            BitBlt(screen, r.Left, r.Top, int32_t(r.Width()), int32_t(r.Height()), oldFrame,
                   r.Left, r.Top);
    };
    const bool simple = PlainSurface(screen) && screen.Width() == W && screen.Height() == H &&
                        (plain || (PlainSurface(oldFrame) && oldFrame.Width() == W &&
                                   oldFrame.Height() == H));
    if (!simple || FOldFrameChanged) {
        // The whole old frame, exactly as a fresh composition copies it.
        if (screen.Width() != W || screen.Height() != H) screen.SetSize(W, H);
        copy(TRect{0, 0, W, H});
        FOldFrameChanged = false;
        if (simple)
            screen.ResetTouched();
        else
            screen.TouchAll();  // a clip or an origin may have kept pixels from the copy
        return screen.Bounds();
    }
    // Outside what the last frame touched the screen holds the old frame already.
    const TRect touched = Intersect(screen.Touched(), screen.Bounds());
    if (!touched.IsEmpty()) copy(touched);
    screen.ResetTouched();
    return touched;
}

namespace {
TRect Union(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom)};
}
}  // namespace

void TCustomTransitionPlayer::UpdateFrame() {
    // Handlers may draw on the picture bitmap: they get one of the player's own.
    const bool handlers = OnBeforeNewFrame || OnCustomDraw || OnAfterNewFrame;
    if (handlers && FPictureBitmap) FPictureBitmap.Writable();
    // Held here, the bitmaps outlive a finish that a handler on this thread might cause.
    const TTransitionBitmap picture = FPictureBitmap;
    const TTransitionBitmap oldFrame = FOldFrame;
    if (!picture || !oldFrame) return;
    const Bitmap32& pixels = *picture.Shared;
    const int style = FStyle, progress = FProgress;
    // A shared bitmap is never written, so only one of the player's own needs its lock.
    std::unique_lock<std::recursive_mutex> pictureLock;
    if (picture.Own) pictureLock = std::unique_lock(pixels.Surface().Lock());
    std::lock_guard screenLock(FScreenBitmap.Surface().Lock());
    FScreenSource.reset();
    TFrameHooks hooks;
    if (picture.Own) {
        Bitmap32& own = *picture.Own;
        if (OnBeforeNewFrame) hooks.BeforeNewFrame = [&] { DoBeforeNewFrame(own, FScreenBitmap); };
        if (OnCustomDraw) hooks.CustomDraw = [&] { DoCustomDraw(own, FScreenBitmap); };
        if (OnAfterNewFrame) hooks.AfterNewFrame = [&] { DoAfterNewFrame(own, FScreenBitmap); };
    }
    const int32_t W = pixels.Width(), H = pixels.Height();
    const Bitmap32& old = *oldFrame.Shared;
    const bool lazy = !FOldFrameChanged && PlainSurface(FScreenBitmap) &&
                      FScreenBitmap.Width() == W && FScreenBitmap.Height() == H &&
                      (old.Empty() ? FOldFramePlain.has_value()
                                   : PlainSurface(old) && old.Width() == W && old.Height() == H);
    TRect changed;
    if (lazy) {
        // The frame starts from the old frame row by row, as the drawing comes to each row.
        std::unique_lock<std::recursive_mutex> oldLock;
        if (oldFrame.Own) oldLock = std::unique_lock(old.Surface().Lock());
        // Frame handlers may draw on the picture between frames.
        FRestorer.Begin(old, FOldFramePlain, W, !handlers);
        FScreenBitmap.ResetTouched();
        FScreenBitmap.SetAccessHook(&FRestorer);
        struct TFrameEnd {
            TCustomTransitionPlayer& Player;
            TRect& Changed;
            ~TFrameEnd() {
                Player.FScreenBitmap.SetAccessHook(nullptr);
                Changed = Player.FRestorer.End(Player.FScreenBitmap);
            }
        } end{*this, changed};
        DrawOverOldFrame(FScreenBitmap, pixels, style, progress, hooks);
    } else {
        const TRect restored = RestoreOldFrame(oldFrame, W, H);
        DrawOverOldFrame(FScreenBitmap, pixels, style, progress, hooks);
        const TRect touched = Intersect(FScreenBitmap.Touched(), FScreenBitmap.Bounds());
        FRestorer.Reset(H, touched);
        changed = Union(restored, touched);
    }
    FChangedSource = Union(FChangedSource, changed);
    FScreenPlain.reset();
    // A frame that is exactly a shared picture lets the next transition start from it.
    if (PlainSurface(FScreenBitmap) && !hooks.AfterNewFrame) {
        if (progress == 100 && !picture.Own)
            FScreenSource = picture.Shared;
        else if (progress == 0 && !hooks.BeforeNewFrame && !oldFrame.Own)
            FScreenSource = oldFrame.Shared;
    }
}

void TCustomTransitionPlayer::PaintFrame(Bitmap32& canvas) {
    if (FScreenBitmap.Empty()) {
        PaintBackground(canvas, ClientRect());
        return;
    }
    const TRect place = FPlacementRect;
    if (RectVisible(canvas, place)) {
        std::lock_guard lock(FScreenBitmap.Surface().Lock());
        canvas.Surface().SetStretchMode(COLORONCOLOR);
        if (FScreenPlain)
            FillRect(canvas, place, *FScreenPlain);
        else
            StretchBlt(canvas, place.Left, place.Top, int32_t(place.Width()),
                       int32_t(place.Height()), FScreenBitmap, FSourceRect.Left, FSourceRect.Top,
                       int32_t(FSourceRect.Width()), int32_t(FSourceRect.Height()));
    }
    TRect outline = place;
    if (FFrameWidth != 0) {
        outline = TRect{place.Left - FFrameWidth, place.Top - FFrameWidth,
                        place.Right + FFrameWidth, place.Bottom + FFrameWidth};
        if (RectVisible(canvas, outline))
            FrameRectInside(canvas, outline, FFrameWidth, PixelOf(FFrameColor));
    }
    SavedClipState saved(canvas);
    ExcludeClipRect(canvas, outline.Left, outline.Top, outline.Right, outline.Bottom);
    PaintBackground(canvas, ClientRect());
}

void TCustomTransitionPlayer::PaintBackground(Bitmap32& canvas, const TRect& rect) {
    if (!RectVisible(canvas, rect)) return;
    const TGraphic* graphic = FBgPicture.Graphic();
    const TBackgroundMode mode = graphic && !graphic->Empty() ? FBgMode : bmNone;
    const Pixel color = PixelOf(FColor);
    TPicture::ChangeSuspension quiet(FBgPicture);
    switch (mode) {
        case bmTiled:
            DrawTiled(canvas, rect, *graphic);
            break;
        case bmStretched:
            graphic->Draw(canvas, rect);
            break;
        case bmCentered: {
            const int32_t w = graphic->Width(), h = graphic->Height();
            const int32_t x = int32_t((rect.Width() - w) / 2), y = int32_t((rect.Height() - h) / 2);
            const TRect area{x, y, x + w, y + h};
            graphic->Draw(canvas, area);
            SavedClipState saved(canvas);
            ExcludeClipRect(canvas, area.Left, area.Top, area.Right, area.Bottom);
            FillRect(canvas, rect, color);
            break;
        }
        case bmNone:
            FillRect(canvas, rect, color);
            break;
    }
}

void TCustomTransitionPlayer::paintEvent(QPaintEvent* event) {
    if (FPainting) return;
    FPainting = true;
    struct TPaintingMark {
        bool& Mark;
        ~TPaintingMark() { Mark = false; }
    } mark{FPainting};

    if (FPaintBuffer.Width() != width() || FPaintBuffer.Height() != height())
        FPaintBuffer = Bitmap32(width(), height(), 0, Bitmap32::RowOrder::TopDown);
    const TRect area = Intersect(ToTRect(event->rect()), ClientRect());
    if (area.IsEmpty()) return;
    // A frame of a large picture takes a while to compose; rather than wait for it, the window
    // keeps what it shows there until the repaint that follows the frame.
    std::unique_lock screenLock(FScreenBitmap.Surface().Lock(), std::try_to_lock);
    if (!screenLock.owns_lock()) {
        FMissedPaint += event->region();
        return;
    }

    const TRect place = FPlacementRect;
    if (!FScreenBitmap.Empty() && Intersect(area, place) == area) {
        // The repaint the frame loop asks for after each frame: only the frame, scaled.
        FPaintBuffer.Surface().SetStretchMode(COLORONCOLOR);
        if (FScreenPlain)
            FillRect(FPaintBuffer, area, *FScreenPlain);
        else
            ScaleOpaque(FPaintBuffer, place, FScreenBitmap, area);
    } else {
        std::vector<TRect> rects;
        for (const QRect& r : event->region()) rects.push_back(ToTRect(r));
        const Region clip = Region::FromRects(rects);
        {
            ClipSelection selection(FPaintBuffer, clip);
            PaintFrame(FPaintBuffer);
        }
        MakeOpaque(FPaintBuffer, area);
    }
    const QImage image(reinterpret_cast<const uchar*>(FPaintBuffer.Bits()), FPaintBuffer.Width(),
                       FPaintBuffer.Height(), qsizetype(FPaintBuffer.Width()) * 4,
                       QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(ToQRect(area).topLeft(), image, ToQRect(area));
}

void TCustomTransitionPlayer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    CalcRects();
    if (!FScreenBitmap.Empty()) update();
}

}  // namespace corvane
