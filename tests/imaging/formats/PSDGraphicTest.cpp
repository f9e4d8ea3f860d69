#include "imaging/formats/PSDGraphic.h"

#include <gtest/gtest.h>

#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

struct PsdSpec {
    uint16_t Mode;
    uint16_t Depth;
    uint16_t Compression;         // 0 raw, 1 PackBits
    std::vector<ByteVec> Planes;  // one per channel, rows from the top
    uint32_t Width = 3, Height = 2;
    ByteVec ModeData = {};
    uint16_t Version = 1;
};

// One row of PackBits: a run when all its bytes are equal, else one literal packet.
ByteVec PackRow(const ByteVec& row) {
    if (row.size() > 1 &&
        std::all_of(row.begin(), row.end(), [&](uint8_t b) { return b == row[0]; }))
        return {uint8_t(257 - row.size()), row[0]};
    ByteVec out = {uint8_t(row.size() - 1)};
    Append(out, row);
    return out;
}

ByteVec PsdFile(const PsdSpec& s) {
    ByteVec out = {'8', 'B', 'P', 'S'};
    PutBe16(out, s.Version);
    out.resize(12, 0);
    PutBe16(out, uint16_t(s.Planes.size()));
    PutBe32(out, s.Height);
    PutBe32(out, s.Width);
    PutBe16(out, s.Depth);
    PutBe16(out, s.Mode);
    PutBe32(out, uint32_t(s.ModeData.size()));
    Append(out, s.ModeData);
    PutBe32(out, 6);  // image resources, skipped
    Append(out, {'8', 'B', 'I', 'M', 0, 0});
    PutBe32(out, 4);  // layers, skipped
    Append(out, {1, 2, 3, 4});
    PutBe16(out, s.Compression);
    if (s.Compression != 1) {
        for (const ByteVec& plane : s.Planes) Append(out, plane);
        return out;
    }
    const size_t rowBytes = s.Planes[0].size() / s.Height;
    ByteVec counts, rows;
    for (const ByteVec& plane : s.Planes)
        for (size_t y = 0; y < s.Height; ++y) {
            const ByteVec packed = PackRow(ByteVec(plane.begin() + ptrdiff_t(y * rowBytes),
                                                   plane.begin() + ptrdiff_t((y + 1) * rowBytes)));
            PutBe16(counts, uint16_t(packed.size()));
            Append(rows, packed);
        }
    Append(out, counts);
    Append(out, rows);
    return out;
}

std::vector<ByteVec> RgbPlanes() {
    return {Channel(Picture3x2, 16), Channel(Picture3x2, 8), Channel(Picture3x2, 0)};
}

ByteVec Widen(const ByteVec& plane) {
    ByteVec out;
    for (uint8_t b : plane) Append(out, {b, uint8_t(~b)});  // the low byte does not count
    return out;
}

TEST(TPSDGraphic, DecodesTheCompositeInEveryColourMode) {
    auto withAlpha = RgbPlanes();
    withAlpha.push_back(ByteVec(6, 0x10));
    ByteVec palette(768, 0);
    const std::vector<Pixel> colours = {Black, Red, Green, Blue, White, Grey};
    for (size_t i = 0; i < colours.size(); ++i) {
        palette[i] = PixelRed(colours[i]);
        palette[256 + i] = PixelGreen(colours[i]);
        palette[512 + i] = PixelBlue(colours[i]);
    }
    // Inks stored inverted (255 is none): cyan, magenta, yellow, black.
    const std::vector<ByteVec> cmyk = {{255, 0, 0, 255, 255, 255},
                                       {0, 255, 0, 255, 255, 255},
                                       {0, 0, 255, 255, 255, 255},
                                       {255, 255, 255, 255, 0, 128}};
    const PixelRows greyRows = {{Black, Grey, White}};
    const struct {
        const char* Name;
        PsdSpec Spec;
        PixelRows Expected;
    } cases[] = {
        {"RgbRaw", {3, 8, 0, RgbPlanes()}, Picture3x2},
        {"RgbPackBitsWithAlpha", {3, 8, 1, withAlpha}, Picture3x2},
        {"Rgb16",
         {3,
          16,
          0,
          {Widen(Channel(Picture3x2, 16)), Widen(Channel(Picture3x2, 8)),
           Widen(Channel(Picture3x2, 0))}},
         Picture3x2},
        {"Grey", {1, 8, 1, {{0, 0x80, 0xFF}}, 3, 1}, greyRows},
        {"Duotone", {8, 8, 0, {{0, 0x80, 0xFF}}, 3, 1, {0, 0, 0, 0}}, greyRows},
        {"Indexed", {2, 8, 1, {{1, 2, 3, 4, 0, 5}}, 3, 2, palette}, Picture3x2},
        {"Cmyk", {4, 8, 0, cmyk}, Picture3x2},
        {"Bitmap",
         {0, 1, 0, {{0b01000000, 0b10100000}}, 3, 2},
         {{White, Black, White}, {Black, White, Black}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const ByteVec file = PsdFile(c.Spec);
        KeepAsSeed("psd", std::string(c.Name) + ".psd", file);
        EXPECT_EQ(DecodeAs<TPSDGraphic>(file), c.Expected);
    }
}

TEST(TPSDGraphic, ReadsRealFiles) {
    for (const char* name : {"raw.psd", "rle.psd", "indexed.psd", "deep16.psd"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(DecodeAs<TPSDGraphic>(RealFile(std::string("psd/") + name)), RealFilePicture());
    }
    EXPECT_LE(
        MaxChannelDifference(DecodeAs<TPSDGraphic>(RealFile("psd/cmyk.psd")), RealFilePicture()),
        1);
    EXPECT_EQ(DecodeAs<TPSDGraphic>(RealFile("psd/grey.psd")).size(), 6u);
}

TEST(TPSDGraphic, BadFilesGetTheirMessages) {
    const ByteVec raw = PsdFile({3, 8, 0, RgbPlanes()});
    const ByteVec packed = PsdFile({3, 8, 1, RgbPlanes()});
    const std::string readError = "Stream read error in Photoshop file.";
    auto notSupported = [](const std::string& what) {
        return "Cannot load image. " + what + " not supported for Photoshop files.";
    };
    const TBadFile cases[] = {
        {"PixelsCut", ByteVec(raw.begin(), raw.end() - 1), readError},
        {"RowsCut", ByteVec(packed.begin(), packed.end() - 1), readError},
        {"SectionsCut", ByteVec(raw.begin(), raw.begin() + 40), readError},
        {"NotPsd", ByteVec(raw.begin() + 1, raw.end()),
         "Cannot load image. Invalid or unexpected Photoshop image format."},
        {"LargeDocument", PsdFile({3, 8, 0, RgbPlanes(), 3, 2, {}, 2}),
         notSupported("Large documents")},
        {"Lab", PsdFile({9, 8, 0, RgbPlanes()}), notSupported("Lab color")},
        {"Zip", PsdFile({3, 8, 2, RgbPlanes()}), notSupported("ZIP compression")},
        {"Float", PsdFile({3, 32, 0, RgbPlanes()}), notSupported("32-bit channels")},
        {"TwoChannelRgb", PsdFile({3, 8, 0, {ByteVec(6), ByteVec(6)}}),
         "Sample count per pixel does not correspond to the given color scheme."},
        {"RowLongerThanItsCount",
         [&] {
             ByteVec b = packed;
             b[b.size() - 4] = 5;  // a literal of six bytes in a row of three
             return b;
         }(),
         "Cannot load image. Invalid or unexpected Photoshop image format."},
        {"Huge", PsdFile({1, 8, 0, {ByteVec(300)}, 16384, 16384}), readError},
    };
    ExpectRefusals<TPSDGraphic>(cases);
}

}  // namespace
}  // namespace corvane
