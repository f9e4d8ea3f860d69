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

void TCustomTransitionPlayer::Prepare() {
    FPreparing = true;
    struct TPreparingMark {
        bool& Mark;
        ~TPreparingMark() { Mark = false; }
    } mark{FPreparing};

    const int32_t W = FPicture.Width(), H = FPicture.Height();
    auto oldFrame = std::make_shared<Bitmap32>();
    if (!FOverDraw || FScreenBitmap.Empty() || FScreenBitmap.Width() != W ||
        FScreenBitmap.Height() != H) {
        FFromBackground = true;
        oldFrame->SetSize(W, H);  // painted from the background by CalcRects below
    } else {
        FFromBackground = false;
        *oldFrame = FScreenBitmap;
    }
    FOldFrame = oldFrame;

    // The new picture over the control's colour, drawn at its own size.
    auto picture = std::make_shared<Bitmap32>(W, H, PixelOf(FColor));
    {
        TPicture::ChangeSuspension quiet(FPicture);
        FPicture.Graphic()->Draw(*picture, TRect{0, 0, W, H});
    }
    FPictureBitmap = picture;

    if (FScreenBitmap.Width() != W || FScreenBitmap.Height() != H) FScreenBitmap.SetSize(W, H);
    FSourceRect = TRect{0, 0, W, H};
    CalcRects();
    BitBlt(FScreenBitmap, 0, 0, W, H, *FOldFrame, 0, 0);
    FProgress = FReverse ? 100 : 0;
    update();
    DoStart(*FPictureBitmap, *FOldFrame);
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
    {
        std::lock_guard lock(FOldFrame->Surface().Lock());
        StretchBlt(*FOldFrame, 0, 0, int32_t(FSourceRect.Width()), int32_t(FSourceRect.Height()),
                   under, 0, 0, under.Width(), under.Height());
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

void TCustomTransitionPlayer::UpdateFrame() {
    // Held here, the bitmaps outlive a finish that a handler on this thread might cause.
    const std::shared_ptr<Bitmap32> picture = FPictureBitmap, oldFrame = FOldFrame;
    if (!picture || !oldFrame) return;
    std::lock_guard pictureLock(picture->Surface().Lock());
    std::lock_guard screenLock(FScreenBitmap.Surface().Lock());
    const TFrameHooks hooks{
        [&] { DoBeforeNewFrame(*picture, FScreenBitmap); },
        [&] { DoCustomDraw(*picture, FScreenBitmap); },
        [&] { DoAfterNewFrame(*picture, FScreenBitmap); },
    };
    ComposeFrame(FScreenBitmap, *oldFrame, *picture, FStyle, FProgress, hooks);
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
        StretchBlt(canvas, place.Left, place.Top, int32_t(place.Width()), int32_t(place.Height()),
                   FScreenBitmap, FSourceRect.Left, FSourceRect.Top, int32_t(FSourceRect.Width()),
                   int32_t(FSourceRect.Height()));
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

    const TRect place = FPlacementRect;
    if (!FScreenBitmap.Empty() && Intersect(area, place) == area) {
        // The repaint the frame loop asks for after each frame: only the frame, scaled.
        std::lock_guard lock(FScreenBitmap.Surface().Lock());
        FPaintBuffer.Surface().SetStretchMode(COLORONCOLOR);
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
