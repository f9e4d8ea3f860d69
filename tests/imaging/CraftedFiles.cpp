#include "tests/imaging/CraftedFiles.h"

#include <zlib.h>

#include <stdexcept>

namespace corvane::testing {

namespace {

std::vector<uint32_t> GreyPalette() {
    std::vector<uint32_t> palette(256);
    for (uint32_t i = 0; i < 256; ++i) palette[i] = i * 0x010101;
    return palette;
}

// A picture of many colours, so that its JPEG is not tiny.
Bitmap32 Noise(int32_t side) {
    Bitmap32 b(side, side);
    uint32_t state = 12345;
    for (int32_t y = 0; y < side; ++y)
        for (int32_t x = 0; x < side; ++x) {
            state = state * 1103515245 + 12345;
            b.SetPixel(x, y, state >> 8 & 0xFFFFFF);
        }
    return b;
}

void PutBe16(ByteVec& out, size_t at, uint16_t v) {
    out[at] = uint8_t(v >> 8);
    out[at + 1] = uint8_t(v);
}

// Sets the height and width of the frame header (SOF marker) of a JPEG.
void PatchJpegFrame(ByteVec& jpeg, uint8_t sofMarker, int32_t side) {
    for (size_t i = 0; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == sofMarker) {
            PutBe16(jpeg, i + 5, uint16_t(side));
            PutBe16(jpeg, i + 7, uint16_t(side));
            return;
        }
    throw std::runtime_error("no frame header");
}

uint16_t Lo(uint32_t v) {
    return uint16_t(v);
}
uint16_t Hi(uint32_t v) {
    return uint16_t(v >> 16);
}

}  // namespace

ByteVec Rle8EndMarkerOnly(int32_t side) {
    return BmpFile({40, side, side, 8, 1, {}, GreyPalette(), {0, 1}});
}

ByteVec IconWithRle8Entry(int32_t side) {
    return IconFile({{0, 0, 8, DibBytes({40, side, 2 * side, 8, 1, {}, GreyPalette(), {0, 1}})}});
}

ByteVec IconWithPngEntry(int32_t side) {
    ByteVec png = EncodePng(Bitmap32(1, 1, 0x336699), {255});
    // IHDR: length at 8, type at 12, width at 16, height at 20, CRC over type and data at 29.
    for (size_t at : {16, 20})
        for (int i = 0; i < 4; ++i) png[at + size_t(i)] = uint8_t(uint32_t(side) >> (24 - 8 * i));
    const uint32_t crc = uint32_t(crc32(0, png.data() + 12, 17));
    for (int i = 0; i < 4; ++i) png[29 + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
    return IconFile({{0, 0, 32, png}});
}

ByteVec JpegWithPatchedFrame(int32_t side) {
    ByteVec jpeg = EncodeJpeg(Noise(40), false, 90);
    PatchJpegFrame(jpeg, 0xC0, side);
    return jpeg;
}

ByteVec WmfWithRleBitmaps(int32_t side, int count, int32_t bitmapSide) {
    const ByteVec dib = DibBytes({40, bitmapSide, bitmapSide, 8, 1, {}, GreyPalette(), {0, 1}});
    const auto s = uint16_t(side), b = uint16_t(bitmapSide);
    // StretchDIB: rop, usage, source height, width, y, x, destination height, width, y, x.
    const ByteVec record =
        WmfRecord(0x0F43, {Lo(0x00CC0020), Hi(0x00CC0020), 0, b, b, 0, 0, s, s, 0, 0}, dib);
    std::vector<ByteVec> records(size_t(count), record);
    return WmfFile(records, true, int16_t(side), int16_t(side), 96);
}

ByteVec WmfWithRectangles(int32_t side, int count) {
    const auto s = uint16_t(side);
    std::vector<ByteVec> records = {WmfRecord(0x02FC, {0, Lo(0x996633), Hi(0x996633), 0}),
                                    WmfRecord(0x012D, {0})};
    for (int i = 0; i < count; ++i) records.push_back(WmfRecord(0x041B, {s, s, 0, 0}));
    return WmfFile(records, true, int16_t(side), int16_t(side), 96);
}

ByteVec EmfWithStretchedPixels(int32_t side, int count) {
    const auto s = uint32_t(side);
    const ByteVec pixel = DibBytes({40, 1, 1, 24, 0, {}, {}, {0x99, 0x66, 0x33, 0}});
    // StretchDIBits: bounds, destination x and y, source x, y, width and height, the offsets and
    // sizes of the header and the bits, usage, rop, destination width and height.
    const ByteVec stretch =
        EmfRecord(81, {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 80, 40, 120, 4, 0, 0x00CC0020, s, s}, pixel);
    std::vector<ByteVec> records = {EmfRecord(39, {1, 0, 0x996633, 0}), EmfRecord(37, {1})};
    for (int i = 0; i < count; ++i) {
        records.push_back(EmfRecord(43, {0, 0, s, s}));
        records.push_back(stretch);
    }
    return EmfFile(records, side, side);
}

ByteVec JpegWithEmptyScans(int32_t side, int scans) {
    ByteVec jpeg = EncodeJpeg(Bitmap32(16, 16, 0x808080), true, 75, true);
    PatchJpegFrame(jpeg, 0xC2, side);
    // A first AC scan of the one component (id 1, tables 0), coefficients 1 to 63, with no data.
    const ByteVec empty = {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x01, 0x3F, 0x00};
    ByteVec end(jpeg.end() - 2, jpeg.end());  // the end-of-image marker
    jpeg.resize(jpeg.size() - 2);
    for (int i = 0; i < scans; ++i) Append(jpeg, empty);
    Append(jpeg, end);
    return jpeg;
}

std::vector<CraftedSeed> CraftedSeeds() {
    // The same files with fewer records and scans than the tests use: enough to pass every
    // budget, small enough for the fuzzer to mutate quickly.
    return {
        {"bitmap", "rle8-end-marker-only.bmp", Rle8EndMarkerOnly(16384)},
        {"icon", "rle8-entry-without-mask.ico", IconWithRle8Entry(16384)},
        {"icon", "png-entry-of-one-pixel.ico", IconWithPngEntry(16384)},
        {"jpeg", "patched-frame.jpg", JpegWithPatchedFrame(16384)},
        {"jpeg", "empty-scans.jpg", JpegWithEmptyScans(2048, 1000)},
        {"metafile", "rle-bitmaps.wmf", WmfWithRleBitmaps(64, 4, 16384)},
        {"metafile", "rectangles.wmf", WmfWithRectangles(1024, 400)},
        {"metafile", "stretched-pixels.emf", EmfWithStretchedPixels(256, 100)},
    };
}

std::vector<CraftedSeed> CraftedReportFiles() {
    return {
        {"bitmap", "rle8-16384.bmp", Rle8EndMarkerOnly(16384)},
        {"icon", "rle8-entry-16384x32768.ico", IconWithRle8Entry(16384)},
        {"icon", "png-entry-16384.ico", IconWithPngEntry(16384)},
        {"jpeg", "patched-frame-16384.jpg", JpegWithPatchedFrame(16384)},
        {"jpeg", "empty-scans-8192.jpg", JpegWithEmptyScans(8192, 20000)},
        {"metafile", "rle-bitmaps-64.wmf", WmfWithRleBitmaps(64, 16, 16384)},
        {"metafile", "rectangles-16384.wmf", WmfWithRectangles(16384, 20000)},
        {"metafile", "rectangles-8192.wmf", WmfWithRectangles(8192, 20000)},
        {"metafile", "stretched-pixels-8192.emf", EmfWithStretchedPixels(8192, 2000)},
    };
}

}  // namespace corvane::testing
