#pragma once
// The base of the further raster formats. Each class of this folder decodes its file into 32-bit
// pixels and from then on is a plain bitmap: it draws, copies and clones as a TBitmap. A failed
// load leaves the previous pixels untouched.

#include "imaging/Bitmap.h"

namespace corvane {

class TRasterGraphic : public TBitmap {
  public:
    void LoadFromStream(TStream& stream) override;
    // The graphic's own Decode (nothing to do once loaded) stays visible beside the format's.
    using TBitmap::Decode;

  protected:
    TRasterGraphic() = default;
    // Decodes the file from the stream's position, reading and allocating through the load's
    // budget; throws the format's error on bad data.
    virtual Bitmap32 Decode(TStream& stream, TPictureBudget& budget) = 0;
};

}  // namespace corvane
