#include "imaging/formats/PhotoBitmap.h"

#include <algorithm>

#include "imaging/AlphaDraw.h"
#include "imaging/Orientation.h"

namespace corvane {

std::unique_ptr<TGraphic> TPhotoBitmap::Clone() const {
    std::unique_ptr<TGraphic> copy = ClassType()->Create();
    auto& photo = static_cast<TPhotoBitmap&>(*copy);
    photo.FImage = FImage;
    photo.FAlpha = FAlpha;
    photo.SetTransparent(Transparent());
    return copy;
}

void TPhotoBitmap::LoadFromStream(TStream& stream) {
    TPictureBudget& budget = StartBudget();
    TDecodedPicture decoded = Decode(stream, budget);
    // A picture that is opaque throughout is drawn as a plain bitmap.
    if (std::all_of(decoded.Alpha.begin(), decoded.Alpha.end(), [](uint8_t a) { return a == 255; }))
        decoded.Alpha = {};
    const int32_t width = decoded.Image.Width(), height = decoded.Image.Height();
    if (decoded.Orientation != OrientationAsStored)
        budget.AllowImage(width, height, decoded.Alpha.empty() ? 4 : 5);  // the turned copy
    FAlpha = TurnUprightAlpha(std::move(decoded.Alpha), width, height, decoded.Orientation);
    SetTransparent(!FAlpha.empty());
    SetImage(TurnUpright(std::move(decoded.Image), decoded.Orientation));
}

void TPhotoBitmap::Draw(Bitmap32& dest, const TRect& rect) const {
    if (FAlpha.empty())
        TBitmap::Draw(dest, rect);
    else if (!FImage.Empty())
        DrawWithAlpha(dest, rect, FImage, FAlpha);
}

std::vector<uint8_t> SplitAlpha(Bitmap32& image) {
    const int32_t width = image.Width(), height = image.Height();
    std::vector<uint8_t> alpha(size_t(width) * size_t(height));
    for (int32_t y = 0; y < height; ++y) {
        Pixel* line = image.Scanline(y);
        uint8_t* out = alpha.data() + size_t(y) * size_t(width);
        for (int32_t x = 0; x < width; ++x) {
            out[x] = uint8_t(line[x] >> 24);
            line[x] &= 0xFFFFFF;
        }
    }
    return alpha;
}

}  // namespace corvane
