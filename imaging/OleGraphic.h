#pragma once
// The loader for files without an extension. The file's first bytes decide among the formats
// the system's general picture loader reads (Windows bitmaps, icons, Windows and enhanced
// metafiles, JPEG and, when a class for it is registered, GIF), and today's PNG, WebP, HEIF and
// AVIF; that class loads the file and this graphic shows it. Anything else fails with "Picture
// is not valid".

#include "imaging/ByteReader.h"
#include "imaging/Graphic.h"

namespace corvane {

class TOleGraphic : public TGraphic {
public:
    static constexpr const char* StaticClassName = "TOleGraphic";

    TOleGraphic() = default;
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TOleGraphic>(); }
    std::unique_ptr<TGraphic> Clone() const override;

    // Adds the file's name to the "Picture is not valid" message.
    void LoadFromFile(const std::string& fileName) override;
    void LoadFromStream(TStream& stream) override;

    int32_t Width() const override { return FInner ? FInner->Width() : 0; }
    int32_t Height() const override { return FInner ? FInner->Height() : 0; }
    void Draw(Bitmap32& dest, const TRect& rect) const override;

    // The graphic of the class that read the file.
    const TGraphic* Inner() const { return FInner.get(); }

private:
    std::unique_ptr<TGraphic> FInner;
};

// The class whose format the bytes begin with, or none.
const TGraphicClass* SniffGraphicClass(Bytes data);

}  // namespace corvane
