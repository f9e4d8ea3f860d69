#include "imaging/Bitmap.h"

#include <gtest/gtest.h>

#include "imaging/ImagingErrors.h"
#include "imaging/Stream.h"
#include "platform/raster/Drawing.h"
#include "tests/imaging/ImagingFixtures.h"

namespace corvane {
namespace {

using namespace corvane::testing;

constexpr Pixel R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0;
const std::vector<uint32_t> Palette = {K, R, G, B, W, 0x808080};

std::unique_ptr<TBitmap> Load(const ByteVec& bytes) {
    TMemoryStream stream(bytes);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(stream);
    return bitmap;
}

struct DecodeCase {
    const char* Name;
    DibSpec Spec;
    std::vector<std::vector<Pixel>> Expected;
};

// The 3 x 2 picture "R G B / W K grey" in every depth and header that files use.
std::vector<DecodeCase> DecodeCases() {
    const std::vector<std::vector<Pixel>> picture = {{R, G, B}, {W, K, 0x808080}};
    const ByteVec top24 = {0, 0, 255, 0, 255, 0, 255, 0, 0};
    const ByteVec bottom24 = {255, 255, 255, 0, 0, 0, 128, 128, 128};
    const ByteVec top32 = {0, 0, 255, 9, 0, 255, 0, 9, 255, 0, 0, 9};
    const ByteVec bottom32 = {255, 255, 255, 9, 0, 0, 0, 9, 128, 128, 128, 9};
    auto le16 = [](std::initializer_list<uint16_t> values) {
        ByteVec out;
        for (uint16_t v : values) Put16(out, v);
        return out;
    };
    // Fields placed high in the word, in an unusual order: red in the top byte.
    auto shifted32 = [](std::initializer_list<Pixel> pixels) {
        ByteVec out;
        for (Pixel p : pixels)
            Put32(out, uint32_t(PixelRed(p)) << 24 | uint32_t(PixelGreen(p)) << 16 |
                           uint32_t(PixelBlue(p)) << 8);
        return out;
    };
    const Pixel grey555 = 0x848484;  // 16 of 31 widened to 8 bits
    return {
        {"Info24BottomUp", {40, 3, 2, 24, 0, {}, {}, PackRows({top24, bottom24})}, picture},
        {"Info24TopDown", {40, 3, -2, 24, 0, {}, {}, PackRows({top24, bottom24}, true)}, picture},
        {"Core24", {12, 3, 2, 24, 0, {}, {}, PackRows({top24, bottom24})}, picture},
        {"V4Header24", {108, 3, 2, 24, 0, {}, {}, PackRows({top24, bottom24})}, picture},
        {"Info32IgnoresFourthByte",
         {40, 3, 2, 32, 0, {}, {}, PackRows({top32, bottom32})},
         picture},
        {"V5BitFields32",
         {124,
          3,
          2,
          32,
          3,
          {0xFF000000, 0x00FF0000, 0x0000FF00},
          {},
          PackRows({shifted32({R, G, B}), shifted32({W, K, 0x808080})})},
         picture},
        {"Info16Default555",
         {40,
          3,
          2,
          16,
          0,
          {},
          {},
          PackRows({le16({0x7C00, 0x03E0, 0x001F}), le16({0x7FFF, 0, 0x4210})})},
         {{R, G, B}, {W, K, grey555}}},
        {"Info16BitFields565",
         {40,
          3,
          2,
          16,
          3,
          {0xF800, 0x07E0, 0x001F},
          {},
          PackRows({le16({0xF800, 0x07E0, 0x001F}), le16({0xFFFF, 0, 0x8410})})},
         {{R, G, B}, {W, K, 0x848284}}},
        // The OS/2 core header has no masks: 16 and 32 bits take the fixed fields.
        {"Core16Default555",
         {12,
          3,
          2,
          16,
          0,
          {},
          {},
          PackRows({le16({0x7C00, 0x03E0, 0x001F}), le16({0x7FFF, 0, 0x4210})})},
         {{R, G, B}, {W, K, grey555}}},
        {"Core32", {12, 3, 2, 32, 0, {}, {}, PackRows({top32, bottom32})}, picture},
        {"Info8", {40, 3, 2, 8, 0, {}, Palette, PackRows({{1, 2, 3}, {4, 0, 5}})}, picture},
        {"Core8",
         {12,
          3,
          2,
          8,
          0,
          {},
          [] {
              auto p = Palette;
              p.resize(256, 0);  // the core header always has the full table
              return p;
          }(),
          PackRows({{1, 2, 3}, {4, 0, 5}})},
         picture},
        {"Info4", {40, 3, 2, 4, 0, {}, Palette, PackRows({{0x12, 0x30}, {0x40, 0x50}})}, picture},
        {"Info1",
         {40, 10, 2, 1, 0, {}, {R, B}, PackRows({{0xA5, 0x80}, {0x00, 0x40}})},
         {{B, R, B, R, R, B, R, B, B, R}, {R, R, R, R, R, R, R, R, R, B}}},
        {"Info8IndexPastTableIsBlack", {40, 2, 1, 8, 0, {}, {R, G}, PackRows({{1, 7}})}, {{G, K}}},
        // Bottom row: two red, two green; middle: a literal run B W grey then one red; top: a
        // move two to the right, then two blue. Pixels left unset are black.
        {"Rle8",
         {40, 4, 3, 8, 1, {}, Palette, {2, 1, 2, 2, 0, 0, 0, 3, 3, 4, 5, 0,
                                        1, 1, 0, 0, 0, 2, 2, 0, 2, 3, 0, 1}},
         {{K, K, B, B}, {B, W, 0x808080, R}, {R, R, G, G}}},
        {"Rle4",
         {40, 4, 2, 4, 2, {}, Palette, {4, 0x12, 0, 0, 0, 3, 0x34, 0x50, 1, 0x00, 0, 1}},
         {{B, W, 0x808080, K}, {R, G, R, G}}},
    };
}

TEST(TBitmap, DecodesEveryHeaderDepthAndCompression) {
    for (const DecodeCase& c : DecodeCases()) {
        SCOPED_TRACE(c.Name);
        auto bitmap = Load(BmpFile(c.Spec));
        EXPECT_EQ(Rows(bitmap->Image()), c.Expected);
        EXPECT_EQ(bitmap->Image().Order(), Bitmap32::RowOrder::BottomUp);
    }
}

TEST(TBitmap, PixelsFollowTheColourTableWhenTheOffsetIsZero) {
    ByteVec file = BmpFile({40, 3, 2, 8, 0, {}, Palette, PackRows({{1, 2, 3}, {4, 0, 5}})});
    std::fill(file.begin() + 10, file.begin() + 14, 0);
    EXPECT_EQ(Load(file)->Image().GetPixel(0, 0), R);
}

struct BadCase {
    const char* Name;
    ByteVec File;
};

TEST(TBitmap, MalformedFilesAreNotValid) {
    const DibSpec good{40, 3, 2, 24, 0, {}, {}, PackRows({ByteVec(9, 1), ByteVec(9, 2)})};
    auto with = [&](auto change) {
        DibSpec s = good;
        change(s);
        return BmpFile(s);
    };
    ByteVec headerCut = BmpFile(good);
    headerCut.resize(30);
    ByteVec truncated = BmpFile(good);
    truncated.pop_back();
    ByteVec rleUnended = BmpFile({40, 4, 1, 8, 1, {}, Palette, {2, 1, 0, 0}});
    ByteVec wrongSignature = BmpFile(good);
    wrongSignature[1] = 'A';
    // The pixel offset (file bytes 10 to 13) must lie past the headers and the colours the
    // pixels use, and inside the file.
    auto withOffset = [](ByteVec file, uint32_t offset) {
        for (int i = 0; i < 4; ++i) file[10 + size_t(i)] = uint8_t(offset >> (8 * i));
        return file;
    };
    const ByteVec indexed =
        BmpFile({40, 3, 2, 8, 0, {}, Palette, PackRows({{1, 2, 3}, {4, 0, 5}})});
    const std::vector<BadCase> cases = {
        {"Empty", {}},
        {"SignatureOnly", {'B', 'M'}},
        {"HeaderCutShort", headerCut},
        {"PixelsCutShort", truncated},
        {"WrongSignature", wrongSignature},
        {"OffsetInFileHeader", withOffset(BmpFile(good), 10)},
        {"OffsetInInfoHeader", withOffset(BmpFile(good), 14 + 20)},
        {"OffsetInColourTable", withOffset(indexed, 14 + 40 + 8)},
        {"OffsetAtTheEnd", withOffset(BmpFile(good), uint32_t(BmpFile(good).size()))},
        {"OffsetPastTheEnd", withOffset(BmpFile(good), 1 << 20)},
        {"BitCount7", with([](DibSpec& s) { s.BitCount = 7; })},
        {"Rle8On24Bits", with([](DibSpec& s) { s.Compression = 1; })},
        {"UnknownCompression", with([](DibSpec& s) { s.Compression = 9; })},
        {"ZeroWidth", with([](DibSpec& s) { s.Width = 0; })},
        {"ZeroHeight", with([](DibSpec& s) { s.Height = 0; })},
        {"NegativeWidth", with([](DibSpec& s) { s.Width = -3; })},
        {"HeaderSize20", with([](DibSpec& s) { s.HeaderSize = 20; })},
        {"RleWithoutEndMarker", rleUnended},
        {"TopDownRle", BmpFile({40, 4, -1, 8, 1, {}, Palette, {2, 1, 0, 1}})},
        {"TableMissing", BmpFile({40, 2, 1, 8, 0, {}, {}, {}})},
        {"MasksNotContiguous", with([](DibSpec& s) {
             s.BitCount = 32, s.Compression = 3, s.Masks = {0xF0F000, 0xFF00, 0xFF};
         })},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.Name);
        try {
            Load(c.File);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_STREQ(e.what(), "Bitmap image is not valid");
        }
    }
}

TEST(TBitmap, HugeSizesAreRefusedBeforeAnythingIsAllocated) {
    // 2^28 pixels are accepted in principle; past that the size alone is refused, with no pixel
    // data present, and products that would overflow 32 or 64 bits are caught as well.
    for (auto [w, h] : {std::pair{16385, 16384}, {0x7FFFFFFF, 0x7FFFFFFF}, {0x7FFFFFFF, 1}}) {
        try {
            Load(BmpFile({40, w, h, 32, 0, {}, {}, {}}));
            ADD_FAILURE() << w << " x " << h;
        } catch (const EPictureTooLarge& e) {
            EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos);
        }
    }
    // At the limit the size passes and the missing data is what fails.
    EXPECT_THROW(
        try {
            Load(BmpFile({40, 16384, 16384, 32, 0, {}, {}, {}}));
        } catch (const EPictureTooLarge&) { ADD_FAILURE(); },
        EInvalidGraphic);
}

TEST(TBitmap, DrawsScaledThroughOriginAndClip) {
    auto bitmap = Load(BmpFile({40, 2, 1, 24, 0, {}, {}, PackRows({{0, 0, 255, 255, 0, 0}})}));
    Bitmap32 dest(6, 2, W);
    dest.Surface().SetOrigin(TPoint{1, 0});
    IntersectClipRect(dest, 0, 0, 3, 2);    // device columns 1 to 3
    bitmap->Draw(dest, TRect{0, 0, 4, 2});  // device columns 1 to 4, clipped at 4
    EXPECT_EQ(Rows(dest),
              (std::vector<std::vector<Pixel>>{{W, R, R, B, W, W}, {W, R, R, B, W, W}}));
}

TEST(TBitmap, ChangeNotificationFollowsTheContent) {
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TGraphic&) { ++changes; };
    const ByteVec file = BmpFile({40, 1, 1, 24, 0, {}, {}, PackRows({{1, 2, 3}})});
    TMemoryStream stream(file);
    bitmap.LoadFromStream(stream);
    EXPECT_EQ(changes, 1);
    bitmap.SetImage(Bitmap32(2, 2));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(bitmap.Width(), 2);
}

}  // namespace
}  // namespace corvane
