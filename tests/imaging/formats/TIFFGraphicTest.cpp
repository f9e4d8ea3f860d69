#include "imaging/formats/TIFFGraphic.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

// A little-endian TIFF file with one directory and one strip; the strip's offset and byte
// count are added. Values are shorts (type 3) or longs (type 4).
struct TiffTag {
    uint16_t Type;
    std::vector<uint32_t> Values;
};
using TiffTags = std::map<uint16_t, TiffTag>;

ByteVec TiffFile(TiffTags tags, const ByteVec& strip, uint32_t stripByteCount = 0) {
    tags[273] = {4, {0}};
    tags[279] = {4, {stripByteCount ? stripByteCount : uint32_t(strip.size())}};
    auto size = [](const TiffTag& t) { return uint32_t(t.Values.size() * (t.Type == 3 ? 2 : 4)); };
    const uint32_t ifdEnd = 8 + 2 + 12 * uint32_t(tags.size()) + 4;
    uint32_t extra = 0;
    for (const auto& [id, t] : tags)
        if (size(t) > 4) extra += size(t);
    tags[273].Values[0] = ifdEnd + extra;
    ByteVec out = {'I', 'I', 42, 0};
    Put32(out, 8);
    Put16(out, uint16_t(tags.size()));
    ByteVec values;
    for (const auto& [id, t] : tags) {
        Put16(out, id);
        Put16(out, t.Type);
        Put32(out, uint32_t(t.Values.size()));
        ByteVec data;
        for (uint32_t v : t.Values) t.Type == 3 ? Put16(data, uint16_t(v)) : Put32(data, v);
        if (data.size() > 4) {
            Put32(out, ifdEnd + uint32_t(values.size()));
            Append(values, data);
        } else {
            data.resize(4, 0);
            Append(out, data);
        }
    }
    Put32(out, 0);
    Append(out, values);
    Append(out, strip);
    return out;
}

TiffTags RgbTags(uint32_t width, uint32_t height) {
    return {{256, {4, {width}}}, {257, {4, {height}}}, {258, {3, {8, 8, 8}}}, {259, {3, {1}}},
            {262, {3, {2}}},     {277, {3, {3}}},      {278, {4, {height}}}};
}

ByteVec Rgb3x2() {
    ByteVec strip;
    for (const auto& row : Picture3x2)
        for (Pixel p : row) Append(strip, {PixelRed(p), PixelGreen(p), PixelBlue(p)});
    return strip;
}

// An encapsulated PostScript file with the binary header, some PostScript and the preview.
ByteVec EpsFile(const ByteVec& tiff, uint32_t tiffLength) {
    const std::string postscript = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 3 2\nshowpage\n";
    ByteVec out;
    Put32(out, 0xC6D3D0C5);
    Put32(out, 30);
    Put32(out, uint32_t(postscript.size()));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, tiffLength ? 30 + uint32_t(postscript.size()) : 0);
    Put32(out, tiffLength);
    Put16(out, 0xFFFF);
    out.insert(out.end(), postscript.begin(), postscript.end());
    Append(out, tiff);
    return out;
}

TEST(TTIFFGraphic, ReadsRealFilesOfEveryLayoutAndCompression) {
    const struct {
        const char* Name;
        int Tolerance;
    } cases[] = {
        {"none.tif", 0},    {"lzw.tif", 0},    {"zip.tif", 0},   {"packbits.tif", 0},
        {"palette.tif", 0}, {"planar.tif", 0}, {"tiled.tif", 0}, {"rgb16.tif", 0},
        {"cmyk.tif", 1},    {"jpeg.tif", 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const PixelRows rows = DecodeAs<TTIFFGraphic>(RealFile(std::string("tiff/") + c.Name));
        ASSERT_EQ(rows.size(), 6u);
        EXPECT_LE(MaxChannelDifference(rows, RealFilePicture()), c.Tolerance);
    }
    EXPECT_EQ(DecodeAs<TTIFFGraphic>(TiffFile(RgbTags(3, 2), Rgb3x2())), Picture3x2);
}

TEST(TTIFFGraphic, TurnsThePictureUprightAsItsOrientationTagAsks) {
    // The turned pictures of 3 x 2 pixels a b c / d e f, written out by hand.
    const auto& p = Picture3x2;
    const Pixel a = p[0][0], b = p[0][1], c = p[0][2], d = p[1][0], e = p[1][1], f = p[1][2];
    const std::vector<std::vector<Pixel>> upright[9] = {
        {},
        {{a, b, c}, {d, e, f}},
        {{c, b, a}, {f, e, d}},
        {{f, e, d}, {c, b, a}},
        {{d, e, f}, {a, b, c}},
        {{a, d}, {b, e}, {c, f}},
        {{d, a}, {e, b}, {f, c}},
        {{f, c}, {e, b}, {d, a}},
        {{c, f}, {b, e}, {a, d}},
    };
    for (int orientation = 1; orientation <= 8; ++orientation) {
        TiffTags tags = RgbTags(3, 2);
        tags[274] = {3, {uint32_t(orientation)}};
        EXPECT_EQ(DecodeAs<TTIFFGraphic>(TiffFile(tags, Rgb3x2())), upright[orientation])
            << orientation;
    }
}

TEST(TTIFFGraphic, StandardResolutionFaxesKeepTheirProportions) {
    // The same picture as group 4 at square resolution and as a fax of 204 x 98 dots per inch.
    const PixelRows square = DecodeAs<TTIFFGraphic>(RealFile("tiff/group4.tif"));
    const PixelRows fax = DecodeAs<TTIFFGraphic>(RealFile("tiff/standard.fax"));
    ASSERT_EQ(square.size(), 6u);
    ASSERT_EQ(fax.size(), 12u);
    for (size_t y = 0; y < fax.size(); ++y) EXPECT_EQ(fax[y], square[y / 2]) << y;
    EXPECT_NE(square[0], square[5]);
}

TEST(TTIFFGraphic, BadFilesGetTheirMessages) {
    const ByteVec good = TiffFile(RgbTags(3, 2), Rgb3x2());
    auto with = [](uint16_t tag, TiffTag value) {
        TiffTags tags = RgbTags(3, 2);
        tags[tag] = value;
        return TiffFile(tags, Rgb3x2());
    };
    TiffTags ycbcr = RgbTags(3, 2);
    ycbcr[262] = {3, {6}};
    auto subsampled = [&](uint32_t h, uint32_t v) {
        TiffTags tags = ycbcr;
        tags[530] = {3, {h, v}};
        return TiffFile(tags, Rgb3x2());
    };
    TiffTags separated = RgbTags(3, 2);
    separated[258] = {3, {8, 8, 8, 8}};
    separated[262] = {3, {5}};
    separated[277] = {3, {4}};
    separated[332] = {3, {2}};  // inks other than CMYK
    const TBadFile cases[] = {
        {"NotTiff",
         {'I', 'J', 42, 0, 8, 0, 0, 0, 0, 0, 0, 0},
         "Cannot load image. Invalid or unexpected TIFF image format."},
        {"StripCut", ByteVec(good.begin(), good.end() - 4), "Stream read error in TIFF file."},
        {"HeaderCut", ByteVec(good.begin(), good.begin() + 6), "Stream read error in TIFF file."},
        {"ThreeBits", with(258, {3, {3, 3, 3}}),
         "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16."},
        {"RgbOfOneSample", with(277, {3, {1}}),
         "Sample count per pixel does not correspond to the given color scheme."},
        {"SubsamplingThree", subsampled(3, 1),
         "Subsampling value is invalid. Allowed are 1, 2 and 4."},
        {"TallerSubsampling", subsampled(1, 2),
         "Vertical subsampling value must be <= horizontal subsampling value."},
        {"OtherInks", TiffFile(separated, ByteVec(24)),
         "Color conversion failed. Could not find a proper method."},
        {"UnknownCompression", with(259, {3, {60000}}),
         "Cannot load image. Compression scheme 60000 not supported for TIFF files."},
        // 2^28 pixels stated with a strip of 300 LZW bytes.
        {"HugeFromLittle",
         [] {
             TiffTags tags = RgbTags(16384, 16384);
             tags[259] = {3, {5}};
             return TiffFile(tags, ByteVec(300, 0x80));
         }(),
         "Stream read error in TIFF file."},
    };
    ExpectRefusals<TTIFFGraphic>(cases);
    // Ten billion pixels are refused at once, before libtiff reads a strip.
    const std::string tooLarge =
        DecodeError<TTIFFGraphic>(TiffFile(RgbTags(100000, 100000), Rgb3x2()));
    EXPECT_EQ(tooLarge.rfind("Picture is too large", 0), 0u) << tooLarge;
}

TEST(TEPSGraphic, ShowsTheTiffPreview) {
    const ByteVec tiff = TiffFile(RgbTags(3, 2), Rgb3x2());
    const ByteVec eps = EpsFile(tiff, uint32_t(tiff.size()));
    KeepAsSeed("eps", "preview.eps", eps);
    EXPECT_EQ(DecodeAs<TEPSGraphic>(eps), Picture3x2);

    const std::string noPreview =
        "Cannot load image. PostScript without a TIFF preview not supported for EPS files.";
    EXPECT_EQ(DecodeError<TEPSGraphic>(EpsFile({}, 0)), noPreview);
    const std::string text = "%!PS-Adobe-3.0 EPSF-3.0\n";
    EXPECT_EQ(DecodeError<TEPSGraphic>(ByteVec(text.begin(), text.end())), noPreview);
    EXPECT_EQ(DecodeError<TEPSGraphic>(ByteVec(eps.begin(), eps.end() - 10)),
              "Stream read error in EPS file.");
    EXPECT_EQ(DecodeError<TEPSGraphic>({'B', 'M', 0, 0}),
              "Cannot load image. Invalid or unexpected EPS image format.");
    // The preview's own faults carry the EPS name.
    ByteVec broken = eps;
    broken[eps.size() - tiff.size() + 2] = 0;  // the preview's magic number
    EXPECT_EQ(DecodeError<TEPSGraphic>(broken),
              "Cannot load image. Invalid or unexpected EPS image format.");
}

}  // namespace
}  // namespace corvane
