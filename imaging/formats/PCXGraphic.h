#pragma once
// ZSoft Paintbrush pictures (pcx, pcc, and the Word 5 screen captures scr): 1 bit in one to four
// planes, 2 and 4 bits in one plane (with the header's 16-colour palette), 8 bits (with the
// 256-colour palette at the end of the file, grey without it) and 24 bits in three planes (a
// fourth plane of alpha is not kept); run-length encoded or raw.

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TPCXGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TPCXGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TPCXGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
};

void RegisterPCXFormats(TFileFormatList& list);

}  // namespace corvane
