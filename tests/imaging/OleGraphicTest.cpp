#include "imaging/OleGraphic.h"

#include <gtest/gtest.h>

#include "imaging/FileFormatsList.h"
#include "imaging/ImagingErrors.h"
#include "imaging/Picture.h"
#include "imaging/Stream.h"
#include "tests/imaging/ImagingFixtures.h"

namespace corvane {
namespace {

using namespace corvane::testing;

TEST(TOleGraphic, TheFirstBytesChooseTheClass) {
    TempDir dir;
    const ByteVec icoDib = DibBytes({40, 1, 2, 24, 0, {}, {}, {1, 2, 3, 0, 0, 0, 0, 0}});
    const std::vector<std::tuple<const char*, ByteVec, const char*, int>> cases = {
        {"bitmap", BmpFile({40, 3, 1, 24, 0, {}, {}, PackRows({ByteVec(9, 7)})}), "TBitmap", 3},
        {"icon", IconFile({{1, 1, 24, icoDib}}), "TIcon", 1},
        {"placeable", WmfFile({}, true, 96, 96, 96), "TMetafile", 96},
        {"plain", WmfFile({WmfRecord(0x020C, {5, 7})}, false), "TMetafile", 7},
        {"enhanced", EmfFile({}, 12, 8), "TMetafile", 12},
        {"photo", EncodeJpeg(Bitmap32(5, 4), false), "TJPEGImage", 5},
    };
    for (const auto& [name, bytes, className, width] : cases) {
        SCOPED_TRACE(name);
        TPicture picture;
        picture.LoadFromFile(dir.Write(name, bytes));
        auto* ole = dynamic_cast<TOleGraphic*>(picture.Graphic());
        ASSERT_NE(ole, nullptr);
        ASSERT_NE(ole->Inner(), nullptr);
        EXPECT_STREQ(ole->Inner()->ClassName(), className);
        EXPECT_EQ(picture.Width(), width);
        Bitmap32 target(picture.Width(), picture.Height(), 0x010203);
        ole->Draw(target, TRect{0, 0, picture.Width(), picture.Height()});
    }
}

TEST(TOleGraphic, OtherContentIsNotAPicture) {
    TempDir dir;
    std::vector<std::pair<const char*, ByteVec>> cases = {
        {"notes", {'h', 'i', '\n'}}, {"empty", {}}, {"png", {0x89, 'P', 'N', 'G'}}};
    // Until a GIF class is registered a GIF file is refused like any other content.
    if (!FileFormats().FindExt("gif")) cases.push_back({"anim", {'G', 'I', 'F', '8', '9', 'a'}});
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const std::string file = dir.Write(name, bytes);
        TPicture picture;
        try {
            picture.LoadFromFile(file);
            ADD_FAILURE() << "loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(std::string(e.what()), "Picture is not valid: " + file);
        }
        EXPECT_EQ(picture.Graphic(), nullptr);
    }
    // Content of a known class that does not read passes that class's error on.
    TPicture picture;
    try {
        picture.LoadFromFile(dir.Write("broken", {'B', 'M', 0, 0}));
        ADD_FAILURE() << "loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Bitmap image is not valid");
    }
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// Stands in for the GIF class of the further formats: it takes any content and reports its
// length as its width.
class TGifStandIn : public TGraphic {
public:
    static constexpr const char* StaticClassName = "TGifStandIn";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TGifStandIn>(); }
    std::unique_ptr<TGraphic> Clone() const override { return nullptr; }
    void LoadFromStream(TStream& stream) override {
        FWidth = int32_t(stream.ReadRemaining().size());
    }
    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return 1; }
    void Draw(Bitmap32&, const TRect&) const override {}

private:
    int32_t FWidth = 0;
};

TEST(TOleGraphic, GifGoesToTheClassRegisteredForIt) {
    TempDir dir;
    RegisterFileFormat("gif", "CompuServe images", GraphicClassOf<TGifStandIn>());
    TPicture picture;
    picture.LoadFromFile(dir.Write("anim", {'G', 'I', 'F', '8', '9', 'a', 0, 0}));
    UnregisterGraphicClass(GraphicClassOf<TGifStandIn>());
    auto* ole = dynamic_cast<TOleGraphic*>(picture.Graphic());
    ASSERT_NE(ole, nullptr);
    EXPECT_STREQ(ole->Inner()->ClassName(), "TGifStandIn");
    EXPECT_EQ(picture.Width(), 8);
}

}  // namespace
}  // namespace corvane
