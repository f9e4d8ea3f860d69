#include "imaging/formats/CUTGraphic.h"

#include <gtest/gtest.h>

#include "imaging/Picture.h"
#include "tests/imaging/formats/RasterTesting.h"

namespace corvane {
namespace {

using namespace corvane::testing;

// Each line: its length, then runs (0x80 | count, value) where bytes repeat and literal
// packets (count, bytes) elsewhere, then the end of the line.
ByteVec CutFile(uint16_t width, const std::vector<ByteVec>& lines) {
    ByteVec out;
    Put16(out, width);
    Put16(out, uint16_t(lines.size()));
    Put16(out, 0);
    for (const ByteVec& line : lines) {
        ByteVec encoded;
        for (size_t i = 0; i < line.size();) {
            size_t n = 1;
            while (i + n < line.size() && line[i + n] == line[i] && n < 127) ++n;
            if (n > 1) {
                Append(encoded, {uint8_t(0x80 | n), line[i]});
            } else {
                Append(encoded, {1, line[i]});
            }
            i += n;
        }
        encoded.push_back(0);
        Put16(out, uint16_t(encoded.size()));
        Append(out, encoded);
    }
    return out;
}

// A palette file of the given colours (full scale 1000), their entries kept off the 512-byte
// block boundaries as the format has it.
ByteVec HaloPalette(const std::vector<Pixel>& colours) {
    ByteVec out = {'A', 'H'};
    Put16(out, 0xE3);
    Put16(out, 0);
    Append(out, {0x0A, 0});
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, uint16_t(colours.size() - 1));
    for (int i = 0; i < 3; ++i) Put16(out, 1000);
    const std::string id = "Dr. Halo";
    out.insert(out.end(), id.begin(), id.end());
    out.resize(40, 0);
    for (Pixel p : colours) {
        if (out.size() % 512 + 6 > 512) out.resize((out.size() / 512 + 1) * 512, 0);
        for (int shift : {16, 8, 0}) Put16(out, uint16_t((p >> shift & 255) * 1000 / 255));
    }
    return out;
}

TEST(TCUTGraphic, ShowsIndicesAsGreyWithoutAPaletteFile) {
    const ByteVec cut = CutFile(4, {{0, 0x80, 0x80, 0xFF}, {7, 7, 7, 7}});
    KeepAsSeed("cut", "grey.cut", cut);
    EXPECT_EQ(DecodeAs<TCUTGraphic>(cut),
              (PixelRows{{Black, Grey, Grey, White}, {0x070707, 0x070707, 0x070707, 0x070707}}));
}

TEST(TCUTGraphic, TakesItsColoursFromThePaletteFileBesideIt) {
    TempDir dir;
    // 100 colours reach into the second block of the palette file.
    std::vector<Pixel> colours(100, Black);
    colours[1] = Red;
    colours[2] = Green;
    colours[99] = Blue;
    const ByteVec cut = CutFile(3, {{1, 2, 99}});
    const std::string file = dir.Write("scan.cut", cut);
    dir.Write("scan.pal", HaloPalette(colours));
    TPicture picture;
    picture.LoadFromFile(file);
    auto* graphic = dynamic_cast<TCUTGraphic*>(picture.Graphic());
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(Rows(graphic->Image()), (PixelRows{{Red, Green, Blue}}));

    // A palette file that is not one leaves the picture in grey.
    dir.Write("other.PAL", {'n', 'o'});
    picture.LoadFromFile(dir.Write("other.cut", cut));
    EXPECT_EQ(Rows(dynamic_cast<TCUTGraphic*>(picture.Graphic())->Image()),
              (PixelRows{{0x010101, 0x020202, 0x636363}}));
}

TEST(TCUTGraphic, BadFilesGetTheirMessages) {
    const ByteVec cut = CutFile(3, {{1, 2, 3}, {4, 5, 6}});
    const std::string readError = "Stream read error in Dr. Halo file.";
    EXPECT_EQ(DecodeError<TCUTGraphic>(ByteVec(cut.begin(), cut.end() - 2)), readError);
    EXPECT_EQ(DecodeError<TCUTGraphic>({3, 0}), readError);
    EXPECT_EQ(DecodeError<TCUTGraphic>(CutFile(0, {{}})),
              "Cannot load image. Invalid or unexpected Dr. Halo image format.");
    // 2^28 pixels stated over two lines of runs.
    ByteVec huge = CutFile(16384, {ByteVec(16384, 1), ByteVec(16384, 2)});
    huge[2] = 0;
    huge[3] = 0x40;
    TPictureBudget budget;
    EXPECT_EQ(DecodeError<TCUTGraphic>(huge, &budget), readError);
    ExpectRefusedCheaply("Huge", budget, huge.size());
}

}  // namespace
}  // namespace corvane
