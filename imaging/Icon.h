#pragma once
// A Windows icon file. Of the images in its directory the largest (by pixel count) and, among
// those, the deepest is loaded: a bitmap entry with its colour image and AND mask (or its own
// alpha channel at 32 bits), or a PNG entry. An icon always draws transparently.

#include <vector>

#include "imaging/Graphic.h"

namespace corvane {

class TIcon : public TGraphic {
public:
    static constexpr const char* StaticClassName = "TIcon";

    TIcon();
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TIcon>(); }
    std::unique_ptr<TGraphic> Clone() const override;

    // "Icon image is not valid" for anything malformed.
    void LoadFromStream(TStream& stream) override;

    int32_t Width() const override { return FImage.Width(); }
    int32_t Height() const override { return FImage.Height(); }
    void Draw(Bitmap32& dest, const TRect& rect) const override;

    const Bitmap32& Image() const { return FImage; }
    // Opacity per pixel, rows from the top: 0 where the mask lets the background show.
    const std::vector<uint8_t>& Alpha() const { return FAlpha; }

private:
    Bitmap32 FImage;
    std::vector<uint8_t> FAlpha;
};

}  // namespace corvane
