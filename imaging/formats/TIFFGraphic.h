#pragma once
// Tagged image files (tiff, tif, and GFI fax files, fax) through libtiff: the first image of the
// file, in any photometric interpretation and compression libtiff reads through its RGBA
// interface. Fax images of standard resolution (half as many lines per inch as dots) get every
// line twice so that they keep their proportions. Also the TIFF preview of encapsulated
// PostScript files (eps).

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TFormatErrors;

class TTIFFGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TTIFFGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TTIFFGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
    // Decodes the TIFF file held in length bytes from position start of the stream.
    static Bitmap32 DecodeTiff(TStream& stream, TPictureBudget& budget, uint64_t start,
                               uint64_t length, const TFormatErrors& errors);
};

// An encapsulated PostScript file with the binary header that carries a TIFF preview; the
// preview is the picture. PostScript itself is not interpreted.
class TEPSGraphic : public TTIFFGraphic {
  public:
    static constexpr const char* StaticClassName = "TEPSGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TEPSGraphic>(); }

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;
};

void RegisterTIFFFormats(TFileFormatList& list);
void RegisterEPSFormats(TFileFormatList& list);

}  // namespace corvane
