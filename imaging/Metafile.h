#pragma once
// A Windows metafile (placeable or plain) or enhanced metafile. Loading keeps the file's bytes
// and takes the size from the header; drawing plays the records that pictures use (bitmap
// blits, solid rectangle and polygon fills) scaled to the rectangle, over what is already there.
// Each drawing is one playback with a work budget (see PictureLimits.h): records that would take
// it past the budget are skipped, and Budget() tells what the last drawing cost.

#include <vector>

#include "imaging/EmfPlayer.h"
#include "imaging/Graphic.h"
#include "imaging/WmfPlayer.h"

namespace corvane {

class TMetafile : public TGraphic {
public:
    static constexpr const char* StaticClassName = "TMetafile";

    TMetafile() = default;
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TMetafile>(); }
    std::unique_ptr<TGraphic> Clone() const override;

    // "Metafile is not valid" for a malformed file.
    void LoadFromStream(TStream& stream) override;

    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return FHeight; }
    void Draw(Bitmap32& dest, const TRect& rect) const override;

    bool Enhanced() const { return FEnhanced; }

private:
    std::vector<uint8_t> FData;
    bool FEnhanced = false;
    WmfLayout FWmf;
    EmfLayout FEmf;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};

}  // namespace corvane
