#include "imaging/PictureFormats.h"

#include "imaging/Bitmap.h"
#include "imaging/FileFormatList.h"
#include "imaging/FileFormatsList.h"
#include "imaging/Icon.h"
#include "imaging/JPEGImage.h"
#include "imaging/Metafile.h"
#include "imaging/OleGraphic.h"
#include "imaging/formats/RasterFormats.h"
#include "imaging/formats/TodaysFormats.h"

namespace corvane {

namespace {
// Part of the registry's state: whether start-up has filled it.
bool Registered = false;
}  // namespace

bool PictureFormatsRegistered() { return Registered; }

void RegisterPictureFormats() {
    if (Registered) return;
    FileFormats();  // the built-in entries come first
    const TGraphicClass* jpeg = GraphicClassOf<TJPEGImage>();
    RegisterFileFormat("jpeg", "JPEG Image File", jpeg);
    RegisterFileFormat("jpg", "JPEG Image File", jpeg);

    TFileFormatList& list = FileFormatList();
    const TGraphicClass* bitmap = GraphicClassOf<TBitmap>();
    const TGraphicClass* icon = GraphicClassOf<TIcon>();
    const TGraphicClass* metafile = GraphicClassOf<TMetafile>();
    list.RegisterFileFormat("bmp", "Windows bitmaps", "", ftRaster, false, bitmap);
    list.RegisterFileFormat("ico", "Windows icons", "", ftRaster, false, icon);
    list.RegisterFileFormat("wmf", "Windows metafiles", "", ftVector, false, metafile);
    list.RegisterFileFormat("emf", "Windows metafiles", "Windows enhanced meta files", ftVector,
                            false, metafile);
    list.RegisterFileFormat("jfif", "JPG images", "JFIF images", ftRaster, false, jpeg);
    list.RegisterFileFormat("jpg", "", "JPG images", ftRaster, false, jpeg);
    list.RegisterFileFormat("jpe", "", "JPE images", ftRaster, false, jpeg);
    list.RegisterFileFormat("jpeg", "", "JPEG images", ftRaster, false, jpeg);
    list.RegisterFileFormat("rle", "", "Run length encoded Windows bitmaps", ftRaster, false,
                            bitmap);
    list.RegisterFileFormat("dib", "", "Device independant Windows bitmaps", ftRaster, false,
                            bitmap);
    RegisterRasterFormats(list);

    RegisterFileFormat("", "", GraphicClassOf<TOleGraphic>());
    RegisterTodaysFormats();
    Registered = true;
}

void UnregisterPictureFormats() {
    // The JPEG class and the further formats leave first, then everything else goes with the
    // lists themselves; the next start-up builds them afresh.
    UnregisterTodaysFormats();
    UnregisterGraphicClass(GraphicClassOf<TJPEGImage>());
    UnregisterRasterFormats(FileFormatList());
    ResetFileFormatList();
    ResetFileFormats();
    Registered = false;
}

}  // namespace corvane
