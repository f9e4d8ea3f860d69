#include "imaging/formats/RasterFormats.h"

namespace corvane {

// No further raster decoder is built in yet: until one is, its extensions stay unknown.
void RegisterRasterFormats(TFileFormatList&) {}
void UnregisterRasterFormats(TFileFormatList&) {}

}  // namespace corvane
