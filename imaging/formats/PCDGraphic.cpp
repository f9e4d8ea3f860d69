#include "imaging/formats/PCDGraphic.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

constexpr uint64_t SignatureOffset = 0x800;  // "PCD_IPI", the image pack information
constexpr uint64_t OrientationOffset = 0xE02;
constexpr uint64_t BaseOffset = 0x30000;
constexpr int32_t BaseWidth = 768, BaseHeight = 512;
// Two rows of luma, then one row each of the two chroma values at half resolution.
constexpr uint64_t PairBytes = 2 * BaseWidth + BaseWidth;

uint8_t Clamp(double v) {
    return uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

Pixel YccToRgb(uint8_t y, uint8_t c1, uint8_t c2) {
    const double l = 1.3584 * y;
    const double chroma1 = 2.2179 * (c1 - 156);
    const double chroma2 = 1.8215 * (c2 - 137);
    return MakePixel(Clamp(l + chroma2), Clamp(l - 0.194 * chroma1 - 0.509 * chroma2),
                     Clamp(l + chroma1));
}

}  // namespace

Bitmap32 TPCDGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("Photo-CD");
    const TFormatInput input(stream, budget, errors);
    const std::vector<uint8_t> info =
        input.ReadUpTo(SignatureOffset, OrientationOffset + 1 - SignatureOffset);
    if (info.size() < OrientationOffset + 1 - SignatureOffset ||
        std::memcmp(info.data(), "PCD_IPI", 7) != 0)
        errors.Invalid();
    const int turns = info.back() & 3;  // quarter turns the stored picture needs, anticlockwise

    const uint64_t size = PairBytes * (BaseHeight / 2);
    input.AllowImage(BaseWidth, BaseHeight, size, input.Size() - std::min(input.Size(), BaseOffset),
                     1);
    const std::vector<uint8_t> data = input.Read(BaseOffset, size);

    const bool upright = turns % 2 == 0;
    Bitmap32 image(upright ? BaseWidth : BaseHeight, upright ? BaseHeight : BaseWidth);
    for (int32_t y = 0; y < BaseHeight; ++y) {
        const uint8_t* pair = data.data() + (y / 2) * PairBytes;
        const uint8_t* luma = pair + (y % 2) * BaseWidth;
        const uint8_t* chroma1 = pair + 2 * BaseWidth;
        const uint8_t* chroma2 = chroma1 + BaseWidth / 2;
        for (int32_t x = 0; x < BaseWidth; ++x) {
            const Pixel p = YccToRgb(luma[x], chroma1[x / 2], chroma2[x / 2]);
            switch (turns) {
                case 0:
                    image.SetPixel(x, y, p);
                    break;
                case 1:  // the stored top right corner becomes the top left
                    image.SetPixel(y, BaseWidth - 1 - x, p);
                    break;
                case 2:
                    image.SetPixel(BaseWidth - 1 - x, BaseHeight - 1 - y, p);
                    break;
                case 3:
                    image.SetPixel(BaseHeight - 1 - y, x, p);
                    break;
            }
        }
    }
    return image;
}

void RegisterPCDFormats(TFileFormatList& list) {
    list.RegisterFileFormat("pcd", "Kodak Photo-CD images", "", ftRaster, false,
                            GraphicClassOf<TPCDGraphic>());
}

}  // namespace corvane
