#pragma once
// Dr. Halo pictures (cut): 8-bit indices, run-length encoded line by line. The colours come from
// the palette file of the same name with the extension pal beside the picture; without one (or
// with one that cannot be read) the indices are shown as grey levels.

#include <string>

#include "imaging/FileFormatList.h"
#include "imaging/formats/RasterGraphic.h"

namespace corvane {

class TCUTGraphic : public TRasterGraphic {
  public:
    static constexpr const char* StaticClassName = "TCUTGraphic";
    const char* ClassName() const override { return StaticClassName; }
    const TGraphicClass* ClassType() const override { return GraphicClassOf<TCUTGraphic>(); }

    // Looks for the palette file beside the picture, then loads the picture.
    void LoadFromFile(const std::string& fileName) override;

  protected:
    Bitmap32 Decode(TStream& stream, TPictureBudget& budget) override;

  private:
    std::string FPaletteFile;  // the palette of the file being loaded, or empty
};

void RegisterCUTFormats(TFileFormatList& list);

}  // namespace corvane
