#include "imaging/Metafile.h"

#include <gtest/gtest.h>

#include "imaging/ImagingErrors.h"
#include "imaging/Stream.h"
#include "tests/imaging/ImagingFixtures.h"

namespace corvane {
namespace {

using namespace corvane::testing;

constexpr Pixel R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF;

std::unique_ptr<TMetafile> Load(const ByteVec& bytes) {
    TMemoryStream stream(bytes);
    auto metafile = std::make_unique<TMetafile>();
    metafile->LoadFromStream(stream);
    return metafile;
}

Bitmap32 DrawAt(const TMetafile& metafile, int w, int h) {
    Bitmap32 out(w, h, W);
    metafile.Draw(out, TRect{0, 0, w, h});
    return out;
}

// A 1 x 1 blue bitmap as metafile records carry it: header, then the pixel row.
ByteVec BlueDib() {
    return DibBytes({40, 1, 1, 24, 0, {}, {}, {255, 0, 0, 0}});
}

uint16_t Lo(uint32_t v) {
    return uint16_t(v);
}
uint16_t Hi(uint32_t v) {
    return uint16_t(v >> 16);
}

TEST(TMetafile, PlaceableWindowsMetafileFillsAndBlits) {
    // 200 x 100 units at 192 units per inch: 100 x 50 pixels.
    const ByteVec file = WmfFile(
        {
            WmfRecord(0x02FC, {0, Lo(0x0000FF), Hi(0x0000FF), 0}),  // solid red brush
            WmfRecord(0x012D, {0}),
            WmfRecord(0x041B, {100, 100, 0, 0}),  // rectangle: left half
            WmfRecord(0x02FC, {1, 0, 0, 0}),      // a hollow brush fills nothing
            WmfRecord(0x012D, {1}),
            WmfRecord(0x041B, {100, 200, 0, 0}),
            // the bitmap stretched over the right half, copied as it is
            WmfRecord(0x0F43, {Lo(0x00CC0020), Hi(0x00CC0020), 0, 1, 1, 0, 0, 100, 100, 0, 100},
                      BlueDib()),
        },
        true, 200, 100, 192);
    auto metafile = Load(file);
    EXPECT_FALSE(metafile->Enhanced());
    ASSERT_EQ(metafile->Width(), 100);
    ASSERT_EQ(metafile->Height(), 50);
    const Bitmap32 own = DrawAt(*metafile, 100, 50);
    EXPECT_EQ(own.GetPixel(0, 0), R);
    EXPECT_EQ(own.GetPixel(49, 49), R);
    EXPECT_EQ(own.GetPixel(50, 0), B);
    EXPECT_EQ(own.GetPixel(99, 49), B);
    // Drawn into a smaller rectangle it scales with it.
    const Bitmap32 half = DrawAt(*metafile, 10, 5);
    EXPECT_EQ(Rows(half)[2], (std::vector<Pixel>{R, R, R, R, R, B, B, B, B, B}));
}

TEST(TMetafile, PlainWindowsMetafileTakesItsSizeFromTheWindow) {
    const ByteVec file =
        WmfFile({WmfRecord(0x020B, {Lo(-10), Lo(-20)}),  // origin (-20, -10)
                 WmfRecord(0x020C, {30, 40}),            // extent 40 x 30
                 WmfRecord(0x02FC, {0, Lo(0x00FF00), Hi(0x00FF00), 0}), WmfRecord(0x012D, {0}),
                 // a triangle with its right angle at the window's origin
                 WmfRecord(0x0324, {3, Lo(-20), Lo(-10), 20, Lo(-10), Lo(-20), 20})},
                false);
    auto metafile = Load(file);
    EXPECT_EQ(metafile->Width(), 40);
    EXPECT_EQ(metafile->Height(), 30);
    const Bitmap32 out = DrawAt(*metafile, 40, 30);
    EXPECT_EQ(out.GetPixel(0, 0), G);
    EXPECT_EQ(out.GetPixel(38, 0), G);
    EXPECT_EQ(out.GetPixel(39, 29), W);
}

TEST(TMetafile, EnhancedMetafileFillsAndBlitsInItsFrame) {
    std::vector<ByteVec> records = {
        EmfRecord(70, {4, 0xDEADBEEF}),      // a comment: skipped
        EmfRecord(39, {1, 0, 0x0000FF, 0}),  // brush 1: solid red
        EmfRecord(37, {1}),
        EmfRecord(43, {0, 0, 10, 10}),  // the left half
        EmfRecord(37, {0x80000004}),    // the stock black brush
        // a small triangle of 16-bit points (0, 0), (2, 0), (0, 2)
        EmfRecord(86, {0, 0, 0, 0, 3}, {0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 2, 0}),
    };
    // StretchDIBits: bounds, dest 10,0, src 0,0 1x1, offsets, usage, rop, dest size 10 x 10.
    const ByteVec dib = BlueDib();
    records.push_back(
        EmfRecord(81, {0, 0, 0, 0, 10, 0, 0, 0, 1, 1, 80, 40, 120, 4, 0, 0x00CC0020, 10, 10}, dib));
    auto metafile = Load(EmfFile(records, 20, 10));
    EXPECT_TRUE(metafile->Enhanced());
    ASSERT_EQ(metafile->Width(), 20);
    ASSERT_EQ(metafile->Height(), 10);
    const Bitmap32 twice = DrawAt(*metafile, 40, 20);
    EXPECT_EQ(twice.GetPixel(0, 0), 0u);  // the black triangle
    EXPECT_EQ(twice.GetPixel(2, 0), 0u);
    EXPECT_EQ(twice.GetPixel(4, 0), R);
    EXPECT_EQ(twice.GetPixel(19, 19), R);
    EXPECT_EQ(twice.GetPixel(20, 0), B);
    EXPECT_EQ(twice.GetPixel(39, 19), B);
}

TEST(TMetafile, HugeCoordinatesCostNoMoreThanTheTarget) {
    // A window of one unit maps each unit to the whole picture; the polygon reaches far out.
    const ByteVec file =
        WmfFile({WmfRecord(0x020C, {1, 1}), WmfRecord(0x02FC, {0, 0, 0, 0}), WmfRecord(0x012D, {0}),
                 WmfRecord(0x0324, {3, 0, 0, 32767, 0, 0, 32767})},
                false);
    auto metafile = Load(file);
    Bitmap32 out(64, 64, W);
    metafile->Draw(out, TRect{0, 0, 30000, 30000});
    EXPECT_EQ(out.GetPixel(63, 63), 0u);
}

TEST(TMetafile, MalformedFilesAreNotValid) {
    const ByteVec wmf = WmfFile({WmfRecord(0x020C, {10, 10})}, false);
    const ByteVec emf = EmfFile({EmfRecord(43, {0, 0, 1, 1})}, 4, 4);
    ByteVec wmfCut = wmf;
    wmfCut.resize(wmfCut.size() - 2);  // the end record is gone
    ByteVec emfCut = emf;
    emfCut.resize(emfCut.size() - 4);
    ByteVec emfOddSize = emf;
    emfOddSize[88 + 4] = 26;  // the rectangle record's size, no longer a multiple of 4
    ByteVec emfNoFrame = emf;
    std::fill(emfNoFrame.begin() + 32, emfNoFrame.begin() + 40, 0);
    const std::vector<std::pair<const char*, ByteVec>> cases = {
        {"Empty", {}},
        {"Text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l',
                  'd', '!', '!', '!', '!', '!', '!', '!', '!', '!'}},
        {"WmfWithoutEnd", wmfCut},
        {"WmfWithoutWindow", WmfFile({}, false)},
        {"PlaceableWithoutUnits", WmfFile({}, true, 100, 100, 0)},
        {"EmfCutShort", emfCut},
        {"EmfRecordSizeOdd", emfOddSize},
        {"EmfEmptyFrame", emfNoFrame},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        try {
            Load(bytes);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_STREQ(e.what(), "Metafile is not valid");
        }
    }
    EXPECT_THROW(Load(WmfFile({}, true, 32767, 32767, 1)), EPictureTooLarge);
}

}  // namespace
}  // namespace corvane
