#pragma once
// Hostile picture files: each a few hundred bytes to a few hundred KB that states far more than
// it holds (a huge size over a tiny stream, thousands of records or scans). The budget tests
// build them at the sizes of the reports that found them; corvane_crafted_seeds writes smaller
// versions of the same files as corpus seeds of the fuzz harnesses.

#include <string>
#include <vector>

#include "tests/imaging/ImagingFixtures.h"

namespace corvane::testing {

// A side x side RLE8 bitmap whose data is the end marker alone.
ByteVec Rle8EndMarkerOnly(int32_t side);
// An icon whose one entry is such an RLE8 bitmap of side x 2 side (colour image and mask), with
// no mask after it.
ByteVec IconWithRle8Entry(int32_t side);
// An icon whose PNG entry states side x side over the image data of one pixel.
ByteVec IconWithPngEntry(int32_t side);
// A baseline JPEG of about 2 KB whose frame header states side x side.
ByteVec JpegWithPatchedFrame(int32_t side);
// A placeable metafile of side x side pixels drawing count bitmaps of bitmapSide x bitmapSide,
// each RLE8 data of the end marker alone, stretched over the picture.
ByteVec WmfWithRleBitmaps(int32_t side, int count, int32_t bitmapSide);
// A placeable metafile of side x side pixels filling count rectangles over the whole picture.
ByteVec WmfWithRectangles(int32_t side, int count);
// An enhanced metafile of side x side pixels with count pairs of a rectangle fill and a 1 x 1
// bitmap stretched over the whole picture.
ByteVec EmfWithStretchedPixels(int32_t side, int count);
// A progressive greyscale JPEG whose frame states side x side, followed by scans empty scan
// headers before its end.
ByteVec JpegWithEmptyScans(int32_t side, int scans);

// A seed of the fuzz corpus: the file's name in the folder of its harness.
struct CraftedSeed {
    std::string Folder;  // bitmap, icon, metafile or jpeg
    std::string Name;
    ByteVec Bytes;
};
std::vector<CraftedSeed> CraftedSeeds();
// The same files at the sizes of the reports (a few hundred bytes to a few hundred KB each), for
// measuring what they cost in the programs.
std::vector<CraftedSeed> CraftedReportFiles();

}  // namespace corvane::testing
