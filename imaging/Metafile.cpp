#include "imaging/Metafile.h"

#include <algorithm>

#include "imaging/AlphaDraw.h"
#include "imaging/ImagingErrors.h"
#include "imaging/PictureLimits.h"
#include "imaging/Stream.h"

namespace corvane {

std::unique_ptr<TGraphic> TMetafile::Clone() const {
    auto copy = std::make_unique<TMetafile>();
    copy->FData = FData;
    copy->FEnhanced = FEnhanced;
    copy->FWmf = FWmf;
    copy->FEmf = FEmf;
    copy->FWidth = FWidth;
    copy->FHeight = FHeight;
    copy->SetTransparent(Transparent());
    return copy;
}

void TMetafile::LoadFromStream(TStream& stream) {
    TPictureBudget& budget = StartBudget();
    std::vector<uint8_t> data = budget.ReadWhole(stream);
    const Bytes bytes(data);
    int32_t width = 0, height = 0;
    bool enhanced = false;
    WmfLayout wmf;
    EmfLayout emf;
    if (IsEmf(bytes)) {
        auto layout = ReadEmfLayout(bytes);
        if (!layout) throw EInvalidGraphic("Metafile is not valid");
        emf = *layout;
        enhanced = true;
        width = emf.Width;
        height = emf.Height;
    } else {
        auto layout = ReadWmfLayout(bytes);
        if (!layout) throw EInvalidGraphic("Metafile is not valid");
        wmf = *layout;
        width = wmf.Width;
        height = wmf.Height;
    }
    // The picture is drawn at its own size onto a bitmap of that size, which a few bytes of
    // header can make as large as they like: metafiles have a ceiling of their own.
    CheckPictureSize(width, height, MaxMetafilePixels);
    FData = std::move(data);
    FEnhanced = enhanced;
    FWmf = wmf;
    FEmf = emf;
    FWidth = width;
    FHeight = height;
    Changed();
}

void TMetafile::Draw(Bitmap32& dest, const TRect& rect) const {
    if (FData.empty()) return;
    // Only the part of the rectangle that can be drawn is played into, so the cost follows the
    // visible area, not the rectangle.
    const TRect box{std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom),
                    std::max(rect.Left, rect.Right), std::max(rect.Top, rect.Bottom)};
    DrawThroughScratch(dest, box, [&](Bitmap32& scratch, TPoint corner) {
        const TargetFrame frame{double(rect.Left) - corner.X, double(rect.Top) - corner.Y,
                                double(rect.Right) - rect.Left, double(rect.Bottom) - rect.Top};
        // Records are charged by the pixels they decode and touch, against a budget that follows
        // the area drawn into.
        TPictureBudget& budget = DrawBudget();
        budget.StartWork(MetafileWorkLimit(int64_t(scratch.Width()) * scratch.Height()));
        if (FEnhanced)
            PlayEmf(FData, FEmf, scratch, frame, budget);
        else
            PlayWmf(FData, FWmf, scratch, frame, budget);
    });
}

}  // namespace corvane
