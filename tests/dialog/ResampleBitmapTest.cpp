// The preview's resampler on small known pictures, and on a photo-sized one against a reference
// computed in floating point from the same kernel.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "dialog/ResampleBitmap.h"

namespace corvane {
namespace {

Bitmap32 Filled(int32_t w, int32_t h, Pixel p) {
    return Bitmap32(w, h, p);
}

// A picture with detail in every channel: gradients and a diagonal pattern.
Bitmap32 Detailed(int32_t w, int32_t h) {
    Bitmap32 b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            b.SetPixel(x, y,
                       MakePixel(uint8_t(x * 255 / std::max(1, w - 1)),
                                 uint8_t(y * 255 / std::max(1, h - 1)),
                                 uint8_t(((x / 8 + y / 8) % 2) * 200 + 20)));
    return b;
}

bool AllPixels(const Bitmap32& b, Pixel p) {
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            if ((b.GetPixel(x, y) & 0xFFFFFF) != p) return false;
    return true;
}

struct TSizes {
    int32_t SourceW, SourceH, TargetW, TargetH;
};

void PrintTo(const TSizes& s, std::ostream* out) {
    *out << s.SourceW << "x" << s.SourceH << " to " << s.TargetW << "x" << s.TargetH;
}

class ConstantPicture : public ::testing::TestWithParam<TSizes> {};

TEST_P(ConstantPicture, StaysConstant) {
    const TSizes s = GetParam();
    const Pixel colour = MakePixel(200, 17, 99);
    Bitmap32 target;
    ResampleBitmap(s.TargetW, s.TargetH, Filled(s.SourceW, s.SourceH, colour), target);
    ASSERT_EQ(target.Width(), s.TargetW);
    ASSERT_EQ(target.Height(), s.TargetH);
    EXPECT_TRUE(AllPixels(target, colour));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ConstantPicture,
                         ::testing::Values(TSizes{640, 480, 152, 112}, TSizes{20, 10, 152, 112},
                                           TSizes{1, 1, 152, 112}, TSizes{1, 7, 5, 3},
                                           TSizes{2, 2, 3, 3}, TSizes{300, 200, 1, 1},
                                           TSizes{9, 4, 1, 4}, TSizes{152, 112, 152, 112}),
                         [](const ::testing::TestParamInfo<TSizes>& info) {
                             const TSizes& s = info.param;
                             return std::to_string(s.SourceW) + "x" + std::to_string(s.SourceH) +
                                    "to" + std::to_string(s.TargetW) + "x" +
                                    std::to_string(s.TargetH);
                         });

TEST(ResampleBitmap, AOnePixelSourceFillsTheTarget) {
    Bitmap32 source(1, 1, MakePixel(1, 2, 3));
    Bitmap32 target;
    ResampleBitmap(152, 112, source, target);
    EXPECT_TRUE(AllPixels(target, MakePixel(1, 2, 3)));
    // A one-pixel-wide column keeps its rows.
    Bitmap32 column(1, 3);
    for (int y = 0; y < 3; ++y) column.SetPixel(0, y, MakePixel(uint8_t(50 * y), 0, 0));
    ResampleBitmap(4, 3, column, target);
    for (int y = 0; y < 3; ++y) EXPECT_EQ(target.GetPixel(3, y), MakePixel(uint8_t(50 * y), 0, 0));
}

TEST(ResampleBitmap, ScalingUpKeepsTheSourcePixelsWhereTheGridsMeet) {
    // 3 to 5 pixels: target pixels 0, 2 and 4 stand exactly on source pixels 0, 1 and 2, where
    // the kernel is 1 at its centre and 0 at every other whole distance.
    const Bitmap32 source = Detailed(3, 3);
    Bitmap32 target;
    ResampleBitmap(5, 5, source, target);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(target.GetPixel(2 * x, 2 * y), source.GetPixel(x, y) & 0xFFFFFF)
                << x << "," << y;
}

TEST(ResampleBitmap, NoPixelsGiveNothingMore) {
    Bitmap32 target(4, 4, 0x123456);
    ResampleBitmap(0, 112, Detailed(10, 10), target);
    EXPECT_TRUE(target.Empty());
    ResampleBitmap(3, 2, Bitmap32(), target);
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(target.Height(), 2);
}

// The design's formula written out pixel by pixel: the kernel's weights in 256ths, the same
// mirroring, the first pass kept in bytes, sums divided and truncated.
double Lanczos3(double x) {
    auto sinc = [](double v) {
        return v == 0 ? 1.0 : std::sin(std::numbers::pi * v) / (std::numbers::pi * v);
    };
    return std::abs(x) < 3 ? sinc(x) * sinc(x / 3) : 0;
}

using TWeights = std::vector<std::pair<int, int>>;  // source pixel, weight in 256ths

TWeights ReferenceWeights(int i, int target, int source) {
    const double s = double(target - 1) / double(source - 1);
    const double c = i / s;
    const double reach = s >= 1 ? 3 : 3 / s;
    TWeights weights;
    for (int j = int(std::floor(c - reach)); j <= int(std::ceil(c + reach)); ++j) {
        const double w = s >= 1 ? Lanczos3(c - j) : Lanczos3((c - j) * s) * s;
        const int quantised = int(std::lround(w * 256));
        const int mirrored = j < 0 ? -j : j >= source ? 2 * source - 1 - j : j;
        if (quantised != 0) weights.push_back({mirrored, quantised});
    }
    return weights;
}

uint8_t ReferenceChannel(const TWeights& weights, const std::function<uint8_t(int)>& at) {
    int64_t sum = 0, total = 0;
    for (const auto& [j, w] : weights) {
        sum += int64_t(w) * at(j);
        total += w;
    }
    return uint8_t(std::clamp<int64_t>(sum / (total != 0 ? total : 256), 0, 255));
}

TEST(ResampleBitmap, APhotoSizedPictureFollowsTheFormulaExactly) {
    const Bitmap32 source = Detailed(640, 480);
    Bitmap32 target;
    ResampleBitmap(152, 112, source, target);
    ASSERT_EQ(target.Width(), 152);
    ASSERT_EQ(target.Height(), 112);

    using Channel = uint8_t (*)(Pixel);
    int mismatches = 0;
    for (Channel channel : {Channel(PixelRed), Channel(PixelGreen), Channel(PixelBlue)}) {
        std::vector<uint8_t> work(size_t(152) * 480);
        for (int x = 0; x < 152; ++x) {
            const TWeights weights = ReferenceWeights(x, 152, 640);
            for (int y = 0; y < 480; ++y)
                work[size_t(y) * 152 + size_t(x)] = ReferenceChannel(
                    weights, [&](int j) { return channel(source.GetPixel(j, y)); });
        }
        for (int y = 0; y < 112; ++y) {
            const TWeights weights = ReferenceWeights(y, 112, 480);
            for (int x = 0; x < 152; ++x) {
                const uint8_t expected = ReferenceChannel(
                    weights, [&](int j) { return work[size_t(j) * 152 + size_t(x)]; });
                mismatches += channel(target.GetPixel(x, y)) != expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(ResampleBitmap, ASinglePixelTargetIsAWeightedMeanOfTheSource) {
    // A one-pixel-wide target scales by target / source, like a one-pixel source.
    Bitmap32 source(9, 1);
    for (int x = 0; x < 9; ++x) source.SetPixel(x, 0, MakePixel(uint8_t(20 * x + 10), 0, 0));
    Bitmap32 target;
    ResampleBitmap(1, 1, source, target);
    const int red = PixelRed(target.GetPixel(0, 0));
    EXPECT_GE(red, 10);
    EXPECT_LE(red, 170);
}

}  // namespace
}  // namespace corvane
