#include "imaging/Icon.h"

#include <gtest/gtest.h>

#include "imaging/ImagingErrors.h"
#include "imaging/Stream.h"
#include "tests/imaging/ImagingFixtures.h"

namespace corvane {
namespace {

using namespace corvane::testing;

// A bitmap entry of one colour: the colour image then the AND mask (all opaque unless given),
// the header stating twice the height.
ByteVec DibEntry(int size, uint16_t bits, Pixel colour, const ByteVec& alphaOrMaskByte = {}) {
    DibSpec spec{40, size, 2 * size, bits, 0, {}, {}, {}};
    ByteVec row;
    if (bits <= 8) {
        spec.Palette = {0, colour};
        row.assign(size_t(size) * bits / 8, bits == 8 ? 0x01 : 0x11);
    } else {
        for (int x = 0; x < size; ++x) {
            row.insert(row.end(), {PixelBlue(colour), PixelGreen(colour), PixelRed(colour)});
            if (bits == 32) row.push_back(alphaOrMaskByte.empty() ? 0 : alphaOrMaskByte[0]);
        }
    }
    spec.Bits = PackRows(std::vector<ByteVec>(size_t(size), row));
    const uint8_t mask = bits == 32 || alphaOrMaskByte.empty() ? 0 : alphaOrMaskByte[0];
    Append(spec.Bits, PackRows(std::vector<ByteVec>(size_t(size), ByteVec((size + 7) / 8, mask))));
    return DibBytes(spec);
}

std::unique_ptr<TIcon> Load(const ByteVec& bytes) {
    TMemoryStream stream(bytes);
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromStream(stream);
    return icon;
}

TEST(TIcon, LoadsTheLargestThenDeepestImage) {
    const ByteVec file = IconFile({{16, 16, 4, DibEntry(16, 4, 0x111111)},
                                   {32, 32, 8, DibEntry(32, 8, 0x222222)},
                                   {32, 32, 24, DibEntry(32, 24, 0x333333)},
                                   {16, 16, 32, DibEntry(16, 32, 0x444444, {255})}});
    auto icon = Load(file);
    EXPECT_EQ(icon->Width(), 32);
    EXPECT_EQ(icon->Height(), 32);
    EXPECT_EQ(icon->Image().GetPixel(5, 5), 0x333333u);
    EXPECT_TRUE(icon->Transparent());

    // The directory's own numbers are not trusted: the header of the image decides.
    ByteVec lying = IconFile(
        {{1, 1, 1, DibEntry(8, 24, 0x555555)}, {255, 255, 32, DibEntry(4, 32, 0x666666, {255})}});
    EXPECT_EQ(Load(lying)->Image().GetPixel(0, 0), 0x555555u);
}

TEST(TIcon, MaskAlphaAndPngEntriesDecideWhatShows) {
    // The AND mask: the first two columns of every row let the background show.
    auto masked = Load(IconFile({{8, 8, 24, DibEntry(8, 24, 0xFF0000, {0xC0})}}));
    Bitmap32 dest(16, 16, 0x0000FF);
    masked->Draw(dest, TRect{0, 0, 16, 16});  // scaled by two
    EXPECT_EQ(dest.GetPixel(3, 7), 0x0000FFu);
    EXPECT_EQ(dest.GetPixel(4, 7), 0xFF0000u);

    // A 32-bit image with an alpha channel blends by it and ignores the mask.
    auto half = Load(IconFile({{4, 4, 32, DibEntry(4, 32, 0xFF0000, {128})}}));
    Bitmap32 blend(4, 4, 0x0000FF);
    half->Draw(blend, TRect{0, 0, 4, 4});
    EXPECT_EQ(blend.GetPixel(1, 1), 0x80007Fu);

    // A PNG entry larger than the bitmap entry wins, with its own alpha.
    Bitmap32 png(40, 40, 0x00FF00);
    std::vector<uint8_t> alpha(40 * 40, 255);
    alpha[0] = 0;
    auto mixed = Load(
        IconFile({{32, 32, 32, DibEntry(32, 24, 0x777777)}, {40, 40, 32, EncodePng(png, alpha)}}));
    EXPECT_EQ(mixed->Width(), 40);
    Bitmap32 onWhite(40, 40, 0xFFFFFF);
    mixed->Draw(onWhite, TRect{0, 0, 40, 40});
    EXPECT_EQ(onWhite.GetPixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(onWhite.GetPixel(1, 0), 0x00FF00u);
}

TEST(TIcon, PngEntriesOfEveryDepthGiveTheSameColours) {
    // 16-bit data is scaled to 8 bits as it is, without gamma conversion, like 8-bit data.
    Bitmap32 picture(9, 7);
    std::vector<uint8_t> alpha(9 * 7);
    for (int32_t y = 0; y < 7; ++y)
        for (int32_t x = 0; x < 9; ++x) {
            picture.SetPixel(x, y, MakePixel(uint8_t(28 * x), uint8_t(36 * y), 0x40));
            alpha[size_t(y) * 9 + size_t(x)] = uint8_t(255 - 20 * x);
        }
    const std::vector<std::pair<const char*, ByteVec>> entries = {
        {"8 bits", EncodePng(picture, alpha)},
        {"16 bits", EncodePng16(picture, alpha)},
        {"16 bits interlaced", EncodePng16(picture, alpha, true)},
    };
    for (const auto& [name, png] : entries) {
        SCOPED_TRACE(name);
        auto icon = Load(IconFile({{9, 7, 32, png}}));
        EXPECT_EQ(Rows(icon->Image()), Rows(picture));
        EXPECT_EQ(icon->Alpha(), alpha);
    }
}

TEST(TIcon, MalformedFilesAreNotValid) {
    const ByteVec good = IconFile({{4, 4, 24, DibEntry(4, 24, 0xFF0000)}});
    auto changed = [&](size_t at, uint8_t value) {
        ByteVec b = good;
        b[at] = value;
        return b;
    };
    ByteVec cut = good;
    cut.resize(cut.size() - 2);  // into the mask
    ByteVec badPng = IconFile({{4, 4, 32, EncodePng(Bitmap32(4, 4), std::vector<uint8_t>(16))}});
    badPng.resize(badPng.size() - 20);
    const std::vector<std::pair<const char*, ByteVec>> cases = {
        {"Empty", {}},
        {"DirectoryOnly", ByteVec(good.begin(), good.begin() + 6)},
        {"CursorType", changed(2, 2)},
        {"NoEntries", changed(4, 0)},
        {"OffsetPastTheEnd", changed(21, 0x40)},
        {"SizePastTheEnd", changed(16, 0xFF)},
        {"MaskCutShort", cut},
        {"HeaderBitCount", changed(22 + 14, 7)},
        {"PngCutShort", badPng},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        try {
            Load(bytes);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_STREQ(e.what(), "Icon image is not valid");
        }
    }
}

}  // namespace
}  // namespace corvane
