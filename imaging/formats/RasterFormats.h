#pragma once
// The further raster formats (Targa, TIFF, PCX, GIF, ...): each decoder of this folder registers
// its extensions here, in the order of the format table, through the second-level list.

#include "imaging/FileFormatList.h"

namespace corvane {

void RegisterRasterFormats(TFileFormatList& list);
void UnregisterRasterFormats(TFileFormatList& list);

}  // namespace corvane
