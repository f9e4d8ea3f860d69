#pragma once
// What the tests of the further raster formats share: the small picture most generated files
// hold, loading bytes through one picture class into rows of pixels or its error message, the
// real files kept as fuzz seeds, and big-endian writers.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/Stream.h"
#include "tests/imaging/ImagingFixtures.h"

namespace corvane::testing {

using PixelRows = std::vector<std::vector<Pixel>>;

inline constexpr Pixel Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF, White = 0xFFFFFF,
                       Black = 0, Grey = 0x808080;
// The 3 x 2 picture: red, green, blue over white, black, grey.
inline const PixelRows Picture3x2 = {{Red, Green, Blue}, {White, Black, Grey}};

template <typename T>
PixelRows DecodeAs(const ByteVec& bytes) {
    TMemoryStream stream(bytes);
    T graphic;
    graphic.LoadFromStream(stream);
    return Rows(graphic.Image());
}

// The message a load raises, or "loaded"; budget receives what the load cost.
template <typename T>
std::string DecodeError(const ByteVec& bytes, TPictureBudget* budget = nullptr) {
    TMemoryStream stream(bytes);
    T graphic;
    std::string message = "loaded";
    try {
        graphic.LoadFromStream(stream);
    } catch (const std::exception& e) {
        message = e.what();
    }
    if (budget) *budget = graphic.Budget();
    return message;
}

// A crafted file that states a huge picture in a few bytes is refused before any pixel is
// allocated, having read little more than itself.
inline void ExpectRefusedCheaply(const std::string& name, const TPictureBudget& budget,
                                 size_t fileSize) {
    if (name.rfind("Huge", 0) != 0) return;
    EXPECT_EQ(budget.BytesAllocated(), 0u);
    EXPECT_LE(budget.BytesRead(), 2 * fileSize + 4096);
}

// A damaged or crafted file and the message its load raises.
struct TBadFile {
    const char* Name;
    ByteVec Bytes;
    std::string Message;
};

// Each file fails with its message; the crafted huge ones (named "Huge...") cheaply.
template <typename T, size_t N>
void ExpectRefusals(const TBadFile (&cases)[N]) {
    for (const TBadFile& c : cases) {
        SCOPED_TRACE(c.Name);
        TPictureBudget budget;
        EXPECT_EQ(DecodeError<T>(c.Bytes, &budget), c.Message);
        ExpectRefusedCheaply(c.Name, budget, c.Bytes.size());
    }
}

// A file kept in tests/fuzz/corpus (folder/name), made once by a tool that writes the format.
inline ByteVec RealFile(const std::string& name) {
    std::ifstream in(std::string(CORVANE_SOURCE_DIR) + "/tests/fuzz/corpus/" + name,
                     std::ios::binary);
    return ByteVec((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The 8 x 6 picture the real files hold (in their colour depth): red 36 x, green 51 y, blue
// full where x + y is odd.
inline PixelRows RealFilePicture() {
    PixelRows rows(6, std::vector<Pixel>(8));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            rows[y][x] = MakePixel(uint8_t(x * 36), uint8_t(y * 51), (x + y) % 2 ? 255 : 0);
    return rows;
}

// The largest difference of any channel between two pictures of the same size.
inline int MaxChannelDifference(const PixelRows& a, const PixelRows& b) {
    int worst = 0;
    for (size_t y = 0; y < a.size(); ++y)
        for (size_t x = 0; x < a[y].size(); ++x)
            for (int shift : {0, 8, 16})
                worst = std::max(
                    worst, std::abs(int(a[y][x] >> shift & 255) - int(b[y][x] >> shift & 255)));
    return worst;
}

// Generated files become fuzz seeds when CORVANE_WRITE_SEEDS names the corpus folder:
// CORVANE_WRITE_SEEDS=$PWD/tests/fuzz/corpus build/tests/imaging/corvane_format_tests
inline void KeepAsSeed(const std::string& folder, const std::string& name, const ByteVec& bytes) {
    const char* root = std::getenv("CORVANE_WRITE_SEEDS");
    if (!root) return;
    std::filesystem::create_directories(std::filesystem::path(root) / folder);
    std::ofstream(std::filesystem::path(root) / folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline void PutBe16(ByteVec& out, uint16_t v) {
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}
inline void PutBe32(ByteVec& out, uint32_t v) {
    PutBe16(out, uint16_t(v >> 16));
    PutBe16(out, uint16_t(v));
}

// A picture's pixels as channel bytes, rows from the top.
inline ByteVec Channel(const PixelRows& rows, int shift) {
    ByteVec out;
    for (const auto& row : rows)
        for (Pixel p : row) out.push_back(uint8_t(p >> shift));
    return out;
}

}  // namespace corvane::testing
