#pragma once
// The budget of picture loading. Picture files are untrusted: a few bytes can state any size, any
// number of records, any number of scans. Every limit of picture loading lives in this file, and
// every decoder keeps one TPictureBudget per load (TGraphic::StartBudget), asking it before each
// step that costs memory or time, so that a file costs only what its content can justify:
//
// - Before it reads: never the whole stream. ReadAt reads exactly the bytes a structure needs and
//   fails, before allocating anything, when the file is shorter; ReadUpTo reads at most as much
//   as the format can need for what the headers state; ReadWhole is only for formats that need
//   all their bytes at once (metafiles, JPEG) and refuses files above MaxWholeFileBytes.
// - Before it allocates pixels for a stated size: first make sure the data for them is there,
//   exactly for uncompressed rows (ReadAt succeeded, or the bytes are in range), and for
//   compressed data by DataCanYield with the format's ratio below (or decode before committing
//   the full allocation); then AllowImage(width, height, bytesPerPixel), which refuses sizes
//   past the pixel limit with EPictureTooLarge and counts the bytes.
// - Before it draws: a player of vector records calls StartWork(MetafileWorkLimit(...)) once per
//   playback and ChargeWork(cost) before each record's drawing, with the cost in pixels decoded
//   and touched; on false it skips the record (SkippedSteps counts them) and goes on.
// - JPEG decoding: at most MaxJpegScans scans, counted in libjpeg's progress monitor.
//
// A decoder refuses with its own message ("Bitmap image is not valid", ...) when the data cannot
// justify what the headers state; EPictureTooLarge is kept for the size limits themselves. A
// format that needs a ratio or limit of its own adds it here. The counters say what a load cost;
// tests check them, never the clock.

#include <cstdint>
#include <vector>

namespace corvane {

class TStream;

// Raster pictures: at most this many pixels, whatever the format.
constexpr int64_t MaxPicturePixels = int64_t(1) << 28;
// Metafiles: a few bytes can state any size, so the bitmap a metafile is drawn onto at its own
// size has a ceiling of its own (64 megapixels).
constexpr int64_t MaxMetafilePixels = int64_t(1) << 26;
// Formats that need the whole file in memory at once read at most this many bytes.
constexpr uint64_t MaxWholeFileBytes = uint64_t(512) << 20;
// A device-independent bitmap's header, masks and colour table are read as one piece of at most
// this many bytes (a 256-colour table takes 1 KB).
constexpr uint64_t MaxDibHeadBytes = 4096;

// What compressed data can yield per byte of input.
// Bitmap run-length data (RLE8, RLE4): a two-byte run gives at most 255 pixels; twice that
// leaves room for the end-of-line, skip and end-of-bitmap codes that leave pixels unset.
constexpr uint64_t MaxRlePixelsPerByte = 256;
// Deflate (PNG, zlib): at most 1032 bytes out per byte in.
constexpr uint64_t MaxInflateBytesPerByte = 1032;
// JPEG entropy-coded data spends at least one bit on every 8 x 8 block of each component.
constexpr uint64_t MaxJpegBlocksPerByte = 8;
// Lossy WebP (VP8 key frames): the two intra modes of every 16 x 16 macroblock are coded with
// fixed probabilities and cost at least 1.67 bits of the first partition, so a byte of it covers
// fewer than 5 macroblocks. (Lossless WebP, HEIF and AVIF have no such floor: a flat picture
// costs next to nothing, and only the pixel limit holds.)
constexpr uint64_t MaxVp8MacroblocksPerByte = 5;
// HEIF and AVIF: libheif checks each side of what it decodes (a grid's or an overlay's canvas, a
// coded image with its codec's padding, the tiles) against one limit. A file states its size in
// its "ispe" box, but a grid's own header may state any other; each side may exceed the stated
// larger side by the padding and tile margin below, and no side may exceed the maximum.
constexpr int HeifSideMargin = 2048;
constexpr int MaxHeifSide = 16384 + HeifSideMargin;

// JPEG: scans per decode (real progressive files have about ten).
constexpr int MaxJpegScans = 100;

// Metafile playback: the pixels one playback may decode and touch, per pixel of the area drawn
// into (the visible part of the rectangle; at the picture's own size its area), plus a floor
// that lets a small picture carry a bitmap larger than itself. Fills cost in proportion to the
// area drawn into, so the same records fit at every scale.
constexpr int64_t MetafileWorkPerPixel = 16;
constexpr int64_t MetafileWorkFloor = int64_t(1) << 22;
int64_t MetafileWorkLimit(int64_t targetArea);

// Throws EPictureTooLarge when width x height exceeds limit; width and height must already be
// known to be positive.
void CheckPictureSize(int64_t width, int64_t height, int64_t limit = MaxPicturePixels);

// Whether dataBytes of compressed input can yield units of output at unitsPerByte at most.
bool DataCanYield(uint64_t dataBytes, uint64_t units, uint64_t unitsPerByte);

class TPictureBudget {
  public:
    // Reading. Positions are stream positions.
    // Everything from the stream's position to its end; EPictureTooLarge above MaxWholeFileBytes.
    std::vector<uint8_t> ReadWhole(TStream& stream);
    // Exactly count bytes at position into out; false, with nothing read or allocated, when the
    // stream ends before them.
    bool ReadAt(TStream& stream, uint64_t position, uint64_t count, std::vector<uint8_t>& out);
    // Up to maxCount bytes at position: fewer where the stream ends.
    std::vector<uint8_t> ReadUpTo(TStream& stream, uint64_t position, uint64_t maxCount);

    // Allocating: checks width x height against pixelLimit (EPictureTooLarge) and counts
    // width x height x bytesPerPixel bytes. Call it right before allocating the pixels.
    void AllowImage(int64_t width, int64_t height, int64_t bytesPerPixel = 4,
                    int64_t pixelLimit = MaxPicturePixels);

    // Drawing: a playback starts with its limit; each step asks before it draws.
    void StartWork(int64_t limit);
    // Counts cost and returns true when it fits in what is left; false (nothing counted) when
    // it does not, and the step is skipped.
    bool ChargeWork(int64_t cost);

    uint64_t BytesRead() const { return FBytesRead; }
    uint64_t BytesAllocated() const { return FBytesAllocated; }
    int64_t Work() const { return FWork; }
    int64_t WorkLimit() const { return FWorkLimit; }
    int64_t SkippedSteps() const { return FSkippedSteps; }

  private:
    uint64_t FBytesRead = 0;
    uint64_t FBytesAllocated = 0;
    int64_t FWork = 0;
    int64_t FWorkLimit = 0;
    int64_t FSkippedSteps = 0;
};

}  // namespace corvane
