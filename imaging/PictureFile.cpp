#include "imaging/PictureFile.h"

#include "imaging/Picture.h"
#include "imaging/PictureFormats.h"

namespace corvane {

Bitmap32 LoadPictureBitmap(const std::string& fileName, Pixel background) {
    RegisterPictureFormats();
    TPicture picture;
    picture.LoadFromFile(fileName);
    Bitmap32 bitmap(picture.Width(), picture.Height(), background);
    if (picture.Graphic() && !bitmap.Empty())
        picture.Graphic()->Draw(bitmap, TRect{0, 0, picture.Width(), picture.Height()});
    return bitmap;
}

}  // namespace corvane
