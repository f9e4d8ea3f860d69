// The budget of picture loading: hostile files cost only what their data justifies, and real
// pictures, also highly compressed ones, still load whole. Costs are read from the budget's
// counters, never from the clock.
#include "imaging/PictureLimits.h"

#include <gtest/gtest.h>
#include <jerror.h>
#include <jpeglib.h>

#include <filesystem>

#include "imaging/FileFormatsList.h"
#include "imaging/Graphic.h"
#include "imaging/ImagingErrors.h"
#include "imaging/Stream.h"
#include "tests/imaging/CraftedFiles.h"
#include "tests/imaging/ImagingFixtures.h"

namespace corvane {
namespace {

using namespace corvane::testing;

constexpr uint64_t KB = 1024, MB = 1024 * KB, GB = 1024 * MB;

// A file of the class its extension names, loaded and, when that succeeds, drawn at its own
// size; what failed and what it cost.
struct Outcome {
    std::string LoadError;
    std::string DrawError;
    std::unique_ptr<TGraphic> Graphic;
    Bitmap32 Drawn;
};

Outcome LoadAndDraw(const TempDir& dir, const std::string& name, const ByteVec& bytes,
                    uint64_t sparseSize = 0) {
    const std::string path = dir.Write(name, bytes);
    if (sparseSize) std::filesystem::resize_file(path, sparseSize);  // a hole, not data
    Outcome out;
    const std::string extension = std::filesystem::path(name).extension().string();
    out.Graphic = FileFormats().FindExt(extension.empty() ? "" : extension.substr(1))->Create();
    try {
        out.Graphic->LoadFromFile(path);
    } catch (const std::exception& e) {
        out.LoadError = e.what();
        return out;
    }
    try {
        out.Drawn = Bitmap32(out.Graphic->Width(), out.Graphic->Height());
        out.Graphic->Draw(out.Drawn, out.Drawn.Bounds());
    } catch (const std::exception& e) {
        out.DrawError = e.what();
    }
    return out;
}

std::string JpegError(int code) {
    return "JPEG error #" + std::to_string(code);
}

struct CraftedCase {
    const char* Name;  // with the extension that picks the class
    ByteVec Bytes;
    uint64_t SparseSize;
    std::string LoadError;  // empty when the file loads
    std::string DrawError;  // empty when it draws
    uint64_t MostRead;
    uint64_t MostAllocated;
    int64_t LeastSkipped;  // records a playback skips at least
};

TEST(PictureBudget, CraftedFilesCostOnlyWhatTheirDataJustifies) {
    const std::vector<CraftedCase> cases = {
        // Run-length data of an end marker alone cannot fill 16384 x 16384 pixels.
        {"rle8.bmp", Rle8EndMarkerOnly(16384), 0, "Bitmap image is not valid", "", 8 * KB, 0, 0},
        {"rle8.ico", IconWithRle8Entry(16384), 0, "Icon image is not valid", "", 8 * KB, 0, 0},
        // A PNG entry whose image data is that of one pixel cannot fill its stated size.
        {"png.ico", IconWithPngEntry(16384), 0, "Icon image is not valid", "", 8 * KB, 0, 0},
        // 2 KB of scan data cannot cover the blocks of 16384 x 16384 pixels.
        {"frame.jpg", JpegWithPatchedFrame(16384), 0, JpegError(JERR_INPUT_EOF), "", 4 * KB, 0, 0},
        // Bitmaps of 16384 x 16384 pixels in a picture of 64 x 64 are past the playback's
        // budget: skipped before they are decoded.
        {"bitmaps.wmf", WmfWithRleBitmaps(64, 16, 16384), 0, "", "", 32 * KB, 64 * 64 * 4, 16},
        // Metafiles are refused past their own raster ceiling ...
        {"huge.wmf", WmfWithRectangles(16384, 20000), 0,
         "Picture is too large (16384 x 16384 pixels; at most 67108864 pixels are accepted)", "",
         300 * KB, 0, 0},
        // ... and below it a playback touches a small multiple of the picture's area.
        {"rectangles.wmf", WmfWithRectangles(2048, 20000), 0, "", "", 300 * KB, 2048 * 2048 * 4,
         20000 - 20},
        {"pixels.emf", EmfWithStretchedPixels(2048, 2000), 0, "", "", 300 * KB, 2048 * 2048 * 4,
         4000 - 40},
        // Each scan of a progressive file passes over the whole picture: refused at the limit.
        {"scans.jpg", JpegWithEmptyScans(2048, 2000), 0, "", JpegError(JERR_BAD_SCAN_SCRIPT),
         25 * KB, 0, 0},
        // Of a 3 GB file only what the format needs is read, or nothing when it would need all.
        {"sparse.bmp", BmpFile({40, 16, 16, 24, 0, {}, {}, ByteVec(16 * 48, 0x40)}), 3 * GB, "", "",
         8 * KB, 16 * 16 * 4, 0},
        {"sparse.ico",
         IconFile({{16, 16, 24,
                    DibBytes({40, 16, 32, 24, 0, {}, {}, ByteVec(16 * 48 + 16 * 4, 0x40)})}}),
         3 * GB, "", "", 8 * KB, 16 * 16 * 5, 0},
        {"sparse", BmpFile({40, 16, 16, 24, 0, {}, {}, ByteVec(16 * 48, 0x40)}), 3 * GB, "", "",
         8 * KB, 16 * 16 * 4, 0},  // recognised by its first bytes
        {"sparse.jpg", EncodeJpeg(Bitmap32(16, 16), false), 3 * GB,
         "Picture file is too large (3221225472 bytes; at most 536870912 bytes are read)", "", 0, 0,
         0},
    };
    TempDir dir;
    for (const CraftedCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const Outcome out = LoadAndDraw(dir, c.Name, c.Bytes, c.SparseSize);
        EXPECT_EQ(out.LoadError, c.LoadError);
        EXPECT_EQ(out.DrawError, c.DrawError);
        const TPictureBudget& budget = out.Graphic->Budget();
        EXPECT_LE(budget.BytesRead(), c.MostRead);
        EXPECT_LE(budget.BytesAllocated(), c.MostAllocated);
        EXPECT_GE(budget.SkippedSteps(), c.LeastSkipped);
        const int64_t area = int64_t(out.Graphic->Width()) * out.Graphic->Height();
        EXPECT_LE(budget.Work(), MetafileWorkLimit(area));
    }
}

// Run-length data of one colour, in runs of 255 pixels and an end-of-line code per row.
ByteVec UniformRle8(int32_t side) {
    ByteVec bits;
    for (int32_t y = 0; y < side; ++y) {
        for (int32_t left = side; left > 0; left -= 255)
            Append(bits, {uint8_t(std::min(left, 255)), 1});
        Append(bits, {0, 0});
    }
    Append(bits, {0, 1});
    return BmpFile({40, side, side, 8, 1, {}, {0, 0x336699}, bits});
}

TEST(PictureBudget, HighlyCompressedRealPicturesStillLoadWhole) {
    // Each picture is of one colour: its data is as small as the format allows.
    const Pixel colour = 0x336699;
    const std::vector<std::pair<const char*, ByteVec>> pictures = {
        {"uniform.bmp", UniformRle8(2048)},
        {"uniform.ico", IconFile({{0, 0, 32,
                                   EncodePng(Bitmap32(1024, 1024, colour),
                                             std::vector<uint8_t>(1024 * 1024, 255))}})},
        {"baseline.jpg", EncodeJpeg(Bitmap32(1024, 1024, colour), false, 75)},
        {"progressive.jpg", EncodeJpeg(Bitmap32(1024, 1024, 0x808080), true, 75, true)},
        {"rectangles.wmf", WmfWithRectangles(2048, 16)},
        {"pixels.emf", EmfWithStretchedPixels(2048, 8)},
    };
    TempDir dir;
    for (const auto& [name, bytes] : pictures) {
        SCOPED_TRACE(name);
        const Outcome out = LoadAndDraw(dir, name, bytes);
        ASSERT_EQ(out.LoadError, "");
        ASSERT_EQ(out.DrawError, "");
        EXPECT_EQ(out.Graphic->Budget().SkippedSteps(), 0);
        // The last pixel drawn is the picture's colour (JPEG: within its rounding).
        const Pixel last = out.Drawn.GetPixel(out.Drawn.Width() - 1, out.Drawn.Height() - 1);
        const Pixel expected = std::string(name) == "progressive.jpg" ? 0x808080 : colour;
        for (int shift : {0, 8, 16})
            EXPECT_NEAR(int(last >> shift & 255), int(expected >> shift & 255), 3) << name;
    }
}

TEST(PictureBudget, ReadsAreExactAndCheckedBeforeAllocating) {
    const ByteVec bytes = {1, 2, 3, 4, 5, 6};
    TMemoryStream stream(bytes);
    TPictureBudget budget;
    std::vector<uint8_t> out{9};
    EXPECT_FALSE(budget.ReadAt(stream, 4, 3, out));
    EXPECT_FALSE(budget.ReadAt(stream, 7, 0, out));
    EXPECT_EQ(out, std::vector<uint8_t>{9});
    EXPECT_EQ(budget.BytesRead(), 0u);
    EXPECT_TRUE(budget.ReadAt(stream, 4, 2, out));
    EXPECT_EQ(out, (std::vector<uint8_t>{5, 6}));
    EXPECT_EQ(budget.ReadUpTo(stream, 3, 100), (std::vector<uint8_t>{4, 5, 6}));
    EXPECT_EQ(budget.BytesRead(), 5u);

    EXPECT_TRUE(DataCanYield(2, 512, 256));
    EXPECT_FALSE(DataCanYield(2, 513, 256));
    EXPECT_TRUE(DataCanYield(UINT64_MAX, UINT64_MAX, 1032));
    EXPECT_FALSE(DataCanYield(0, 1, 1032));

    budget.StartWork(10);
    EXPECT_TRUE(budget.ChargeWork(6));
    EXPECT_FALSE(budget.ChargeWork(5));  // skipped, nothing counted
    EXPECT_TRUE(budget.ChargeWork(4));
    EXPECT_EQ(budget.Work(), 10);
    EXPECT_EQ(budget.SkippedSteps(), 1);
}

}  // namespace
}  // namespace corvane
