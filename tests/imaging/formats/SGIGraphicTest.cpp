#include "imaging/formats/SGIGraphic.h"

#include <gtest/gtest.h>

#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

struct SgiSpec {
    bool RunLength;
    uint8_t BytesPerChannel;
    uint16_t Dimension, XSize, YSize, ZSize;
    // Per channel, per row from the bottom: the samples (as 16-bit values when wide).
    std::vector<std::vector<std::vector<uint16_t>>> Channels;
    uint32_t ColorMap = 0;
};

ByteVec Samples(const std::vector<uint16_t>& values, int bpc) {
    ByteVec out;
    for (uint16_t v : values) bpc == 1 ? out.push_back(uint8_t(v)) : PutBe16(out, v);
    return out;
}

// A row as one run when its samples are all equal, else as one literal packet; then the end.
ByteVec EncodeRow(const std::vector<uint16_t>& row, int bpc) {
    const bool same = std::all_of(row.begin(), row.end(), [&](uint16_t v) { return v == row[0]; });
    std::vector<uint16_t> elements;
    if (same) {
        elements = {uint16_t(row.size()), row[0]};
    } else {
        elements = {uint16_t(0x80 | row.size())};
        elements.insert(elements.end(), row.begin(), row.end());
    }
    elements.push_back(0);
    return Samples(elements, bpc);
}

ByteVec SgiFile(const SgiSpec& s) {
    ByteVec out;
    PutBe16(out, 474);
    out.push_back(s.RunLength ? 1 : 0);
    out.push_back(s.BytesPerChannel);
    for (uint16_t v : {s.Dimension, s.XSize, s.YSize, s.ZSize}) PutBe16(out, v);
    PutBe32(out, 0);
    PutBe32(out, s.BytesPerChannel == 1 ? 255 : 65535);
    out.resize(104, 0);
    PutBe32(out, s.ColorMap);
    out.resize(512, 0);
    if (!s.RunLength) {
        for (const auto& channel : s.Channels)
            for (const auto& row : channel) Append(out, Samples(row, s.BytesPerChannel));
        return out;
    }
    ByteVec starts, lengths, data;
    const uint32_t tables = 512 + 8 * uint32_t(s.Channels.size() * s.Channels[0].size());
    for (const auto& channel : s.Channels)
        for (const auto& row : channel) {
            const ByteVec encoded = EncodeRow(row, s.BytesPerChannel);
            PutBe32(starts, tables + uint32_t(data.size()));
            PutBe32(lengths, uint32_t(encoded.size()));
            Append(data, encoded);
        }
    Append(out, starts);
    Append(out, lengths);
    Append(out, data);
    return out;
}

// The channels of the 3 x 2 picture, bottom row first.
std::vector<std::vector<std::vector<uint16_t>>> Rgb(int scale = 1) {
    std::vector<std::vector<std::vector<uint16_t>>> channels(3);
    for (int c = 0; c < 3; ++c)
        for (int y = 1; y >= 0; --y) {
            std::vector<uint16_t> row;
            for (Pixel p : Picture3x2[size_t(y)])
                row.push_back(uint16_t((p >> (16 - 8 * c) & 255) * scale));
            channels[size_t(c)].push_back(row);
        }
    return channels;
}

TEST(TSGIGraphic, DecodesVerbatimAndRunLengthInEveryChannelCount) {
    auto withAlpha = Rgb();
    withAlpha.push_back({{9, 9, 9}, {9, 9, 9}});
    const std::vector<std::vector<std::vector<uint16_t>>> grey = {
        {{0, 0x80, 0xFF}, {0xFF, 0xFF, 0xFF}}};
    auto greyAlpha = grey;
    greyAlpha.push_back({{1, 2, 3}, {4, 5, 6}});
    const PixelRows greyRows = {{White, White, White}, {Black, Grey, White}};
    const struct {
        const char* Name;
        SgiSpec Spec;
        PixelRows Expected;
    } cases[] = {
        {"VerbatimRgb", {false, 1, 3, 3, 2, 3, Rgb()}, Picture3x2},
        {"RunLengthRgb", {true, 1, 3, 3, 2, 3, Rgb()}, Picture3x2},
        {"VerbatimRgba", {false, 1, 3, 3, 2, 4, withAlpha}, Picture3x2},
        {"RunLengthRgba", {true, 1, 3, 3, 2, 4, withAlpha}, Picture3x2},
        {"Grey", {true, 1, 2, 3, 2, 1, grey}, greyRows},
        {"GreyAndAlpha", {false, 1, 3, 3, 2, 2, greyAlpha}, greyRows},
        {"OneRow", {false, 1, 1, 3, 9, 1, {{{0, 0x80, 0xFF}}}}, {{Black, Grey, White}}},
        {"Wide16Verbatim", {false, 2, 3, 3, 2, 3, Rgb(257)}, Picture3x2},
        {"Wide16RunLength", {true, 2, 3, 3, 2, 3, Rgb(257)}, Picture3x2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const ByteVec file = SgiFile(c.Spec);
        KeepAsSeed("sgi", std::string(c.Name) + ".sgi", file);
        EXPECT_EQ(DecodeAs<TSGIGraphic>(file), c.Expected);
    }
}

TEST(TSGIGraphic, ReadsRealFiles) {
    for (const char* name : {"verbatim.sgi", "rle.sgi", "alpha.rgba", "deep16.sgi"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(DecodeAs<TSGIGraphic>(RealFile(std::string("sgi/") + name)), RealFilePicture());
    }
    EXPECT_EQ(DecodeAs<TSGIGraphic>(RealFile("sgi/grey.bw")).size(), 6u);
}

TEST(TSGIGraphic, BadFilesGetTheirMessages) {
    const ByteVec verbatim = SgiFile({false, 1, 3, 3, 2, 3, Rgb()});
    const ByteVec runs = SgiFile({true, 1, 3, 3, 2, 3, Rgb()});
    ByteVec notSgi = verbatim;
    notSgi[1] = 0;
    const TBadFile cases[] = {
        {"SamplesCut", ByteVec(verbatim.begin(), verbatim.end() - 1),
         "Stream read error in SGI file."},
        {"RunsCut", ByteVec(runs.begin(), runs.end() - 2), "Stream read error in SGI file."},
        {"HeaderCut", ByteVec(verbatim.begin(), verbatim.begin() + 300),
         "Stream read error in SGI file."},
        {"NotSgi", notSgi, "Cannot load image. Invalid or unexpected SGI image format."},
        {"ColourMap", SgiFile({false, 1, 3, 3, 2, 3, Rgb(), 3}),
         "Cannot load image. Color maps not supported for SGI files."},
        {"HugeVerbatim", SgiFile({false, 1, 3, 16384, 16384, 1, {{std::vector<uint16_t>(300)}}}),
         "Stream read error in SGI file."},
    };
    ExpectRefusals<TSGIGraphic>(cases);
}

}  // namespace
}  // namespace corvane
