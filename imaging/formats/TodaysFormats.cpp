#include "imaging/formats/TodaysFormats.h"

#include "imaging/FileFormatsList.h"
#include "imaging/formats/AVIFGraphic.h"
#include "imaging/formats/HEIFGraphic.h"
#include "imaging/formats/PNGGraphic.h"
#include "imaging/formats/WebPGraphic.h"

namespace corvane {

void RegisterTodaysFormats() {
    RegisterFileFormat("png", "Portable Network Graphics", GraphicClassOf<TPNGGraphic>());
    RegisterFileFormat("webp", "WebP image", GraphicClassOf<TWebPGraphic>());
    RegisterFileFormat("heic", "High Efficiency Image File", GraphicClassOf<THEIFGraphic>());
    RegisterFileFormat("heif", "High Efficiency Image File", GraphicClassOf<THEIFGraphic>());
    RegisterFileFormat("avif", "AV1 Image File", GraphicClassOf<TAVIFGraphic>());
}

void UnregisterTodaysFormats() {
    UnregisterGraphicClass(GraphicClassOf<TPNGGraphic>());
    UnregisterGraphicClass(GraphicClassOf<TWebPGraphic>());
    UnregisterGraphicClass(GraphicClassOf<THEIFGraphic>());
    UnregisterGraphicClass(GraphicClassOf<TAVIFGraphic>());
}

}  // namespace corvane
