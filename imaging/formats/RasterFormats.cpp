#include "imaging/formats/RasterFormats.h"

#include "imaging/formats/AutodeskGraphic.h"
#include "imaging/formats/CUTGraphic.h"
#include "imaging/formats/GIFGraphic.h"
#include "imaging/formats/PCDGraphic.h"
#include "imaging/formats/PCXGraphic.h"
#include "imaging/formats/PPMGraphic.h"
#include "imaging/formats/PSDGraphic.h"
#include "imaging/formats/PSPGraphic.h"
#include "imaging/formats/RLAGraphic.h"
#include "imaging/formats/SGIGraphic.h"
#include "imaging/formats/TIFFGraphic.h"
#include "imaging/formats/TargaGraphic.h"

namespace corvane {

void RegisterRasterFormats(TFileFormatList& list) {
    RegisterTargaFormats(list);
    RegisterTIFFFormats(list);
    RegisterEPSFormats(list);
    RegisterPCXFormats(list);
    RegisterRLAFormats(list);
    RegisterSGIFormats(list);
    RegisterPSDFormats(list);
    RegisterPPMFormats(list);
    RegisterAutodeskFormats(list);
    RegisterPCDFormats(list);
    RegisterGIFFormats(list);
    RegisterCUTFormats(list);
    RegisterPSPFormats(list);
}

void UnregisterRasterFormats(TFileFormatList& list) {
    for (const TGraphicClass* graphicClass :
         {GraphicClassOf<TTargaGraphic>(), GraphicClassOf<TTIFFGraphic>(),
          GraphicClassOf<TEPSGraphic>(), GraphicClassOf<TPCXGraphic>(),
          GraphicClassOf<TRLAGraphic>(), GraphicClassOf<TSGIGraphic>(),
          GraphicClassOf<TPSDGraphic>(), GraphicClassOf<TPPMGraphic>(),
          GraphicClassOf<TAutodeskGraphic>(), GraphicClassOf<TPCDGraphic>(),
          GraphicClassOf<TGIFGraphic>(), GraphicClassOf<TCUTGraphic>(),
          GraphicClassOf<TPSPGraphic>()})
        list.UnregisterFileFormat(graphicClass);
}

}  // namespace corvane
