#include "imaging/formats/RLAGraphic.h"

#include <gtest/gtest.h>

#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

// Runs: a count c below 128 repeats the next byte c + 1 times; 256 - n introduces n literals.
ByteVec Runs(const ByteVec& row) {
    ByteVec out;
    for (size_t i = 0; i < row.size();) {
        size_t n = 1;
        while (i + n < row.size() && row[i + n] == row[i] && n < 128) ++n;
        if (n > 1) {
            Append(out, {uint8_t(n - 1), row[i]});
        } else {
            Append(out, {uint8_t(256 - 1), row[i]});
        }
        i += n;
    }
    return out;
}

// A file of the given channel rows (per row from the bottom, per channel), with the active
// window placed at (10, 20).
ByteVec RlaFile(int16_t width, int16_t height, const std::vector<std::vector<ByteVec>>& rows,
                int16_t channels, int16_t mattes = 0, int16_t bits = 8) {
    ByteVec out;
    for (int16_t v : {int16_t(0), int16_t(99), int16_t(0), int16_t(99), int16_t(10),
                      int16_t(10 + width - 1), int16_t(20), int16_t(20 + height - 1), int16_t(1),
                      int16_t(0), channels, mattes, int16_t(0), int16_t(-2)})
        PutBe16(out, uint16_t(v));
    out.resize(658, 0);
    PutBe16(out, uint16_t(bits));
    out.resize(740, 0);
    ByteVec data;
    const uint32_t first = 740 + 4 * uint32_t(rows.size());
    for (const auto& row : rows) {
        PutBe32(out, first + uint32_t(data.size()));
        for (const ByteVec& channel : row) {
            const ByteVec runs = Runs(channel);
            PutBe16(data, uint16_t(runs.size()));
            Append(data, runs);
        }
    }
    Append(out, data);
    return out;
}

std::vector<std::vector<ByteVec>> RgbRows(bool matte) {
    std::vector<std::vector<ByteVec>> rows;
    for (int y = 1; y >= 0; --y) {
        const PixelRows row = {Picture3x2[size_t(y)]};
        rows.push_back({Channel(row, 16), Channel(row, 8), Channel(row, 0)});
        if (matte) rows.back().push_back({255, 255, 255});
    }
    return rows;
}

TEST(TRLAGraphic, DecodesColourAndGreyRowsFromTheBottom) {
    const ByteVec rgb = RlaFile(3, 2, RgbRows(true), 3, 1);
    KeepAsSeed("rla", "colour.rla", rgb);
    EXPECT_EQ(DecodeAs<TRLAGraphic>(rgb), Picture3x2);
    const ByteVec grey = RlaFile(4, 1, {{{0, 0x80, 0x80, 0xFF}}}, 1);
    KeepAsSeed("rla", "grey.rla", grey);
    EXPECT_EQ(DecodeAs<TRLAGraphic>(grey), (PixelRows{{Black, Grey, Grey, White}}));
}

TEST(TRLAGraphic, BadFilesGetTheirMessages) {
    const ByteVec rgb = RlaFile(3, 2, RgbRows(false), 3);
    const std::string readError = "Stream read error in Alias/Wavefront file.";
    EXPECT_EQ(DecodeError<TRLAGraphic>(ByteVec(rgb.begin(), rgb.end() - 1)), readError);
    EXPECT_EQ(DecodeError<TRLAGraphic>(ByteVec(rgb.begin(), rgb.begin() + 700)), readError);
    EXPECT_EQ(DecodeError<TRLAGraphic>(RlaFile(3, 2, RgbRows(false), 3, 0, 16)),
              "Cannot load image. 16-bit channels not supported for Alias/Wavefront files.");
    EXPECT_EQ(DecodeError<TRLAGraphic>(RlaFile(3, 2, RgbRows(false), 0)),
              "Cannot load image. Invalid or unexpected Alias/Wavefront image format.");
    EXPECT_EQ(DecodeError<TRLAGraphic>(RlaFile(0, 2, {}, 3)),
              "Cannot load image. Invalid or unexpected Alias/Wavefront image format.");
    // 16384 rows of 16384 pixels that all share one run of data.
    ByteVec huge = RlaFile(16384, 1, {{ByteVec(16384, 9)}}, 1);
    huge[14] = 0x40;  // the active window's top: 16384 rows
    huge[15] = 0x13;
    TPictureBudget budget;
    EXPECT_EQ(DecodeError<TRLAGraphic>(huge, &budget), readError);
    ExpectRefusedCheaply("Huge", budget, huge.size());
}

}  // namespace
}  // namespace corvane
