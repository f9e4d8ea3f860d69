#include "imaging/formats/GIFGraphic.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

// giflib reads through this: the stream and the load's budget, and whether the data ran out.
struct GifSource {
    TStream* Stream;
    TPictureBudget* Budget;
    bool ShortRead = false;
};

int ReadProc(GifFileType* gif, GifByteType* buffer, int size) {
    auto* s = static_cast<GifSource*>(gif->UserData);
    if (size <= 0) return 0;
    const std::vector<uint8_t> bytes =
        s->Budget->ReadUpTo(*s->Stream, s->Stream->Position(), uint64_t(size));
    if (!bytes.empty()) std::memcpy(buffer, bytes.data(), bytes.size());
    if (bytes.size() < size_t(size)) s->ShortRead = true;
    return int(bytes.size());
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

constexpr int GraphicControlExtension = 0xF9;

}  // namespace

Bitmap32 TGIFGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("GIF");
    const TFormatInput input(stream, budget, errors);
    GifSource source{&stream, &budget};
    const uint64_t start = stream.Position();
    const uint64_t size = stream.Size() > start ? stream.Size() - start : 0;
    auto fail = [&]() {
        if (source.ShortRead) errors.ReadError();
        errors.Invalid();
    };
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, ReadProc, &error));
    if (!gif) fail();

    std::optional<int> transparent;
    while (true) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) fail();
        if (record == TERMINATE_RECORD_TYPE) errors.Invalid();  // no frame at all
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) fail();
            // The control block before the frame names its transparent colour.
            if (code == GraphicControlExtension && block && block[0] >= 4)
                transparent = (block[1] & 1) ? std::optional<int>(block[4]) : std::nullopt;
            while (block)
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) fail();
            continue;
        }
        if (record == IMAGE_DESC_RECORD_TYPE) break;
        fail();
    }
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) fail();
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map || !map->Colors) errors.InvalidColor();
    if (frame.Width <= 0 || frame.Height <= 0) errors.Invalid();

    // A logical screen of no size takes the frame's.
    const int32_t width = gif->SWidth > 0 ? gif->SWidth : frame.Left + frame.Width;
    const int32_t height = gif->SHeight > 0 ? gif->SHeight : frame.Top + frame.Height;
    // Both the screen and the frame are bounded by what the rest of the file can yield.
    const uint64_t left = size - std::min(size, stream.Position() - start);
    input.CheckData(frame.Width, frame.Height, uint64_t(frame.Width) * frame.Height, left,
                    MaxGifPixelsPerByte);
    input.AllowImage(width, height, uint64_t(width) * height, left, MaxGifPixelsPerByte);

    Pixel background = 0;
    if (gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount) {
        const GifColorType& c = gif->SColorMap->Colors[gif->SBackGroundColor];
        background = MakePixel(c.Red, c.Green, c.Blue);
    }
    Bitmap32 image(width, height, background);
    std::vector<GifPixelType> line(size_t(frame.Width));
    // Interlaced frames come in four passes: every 8th row from 0, every 8th from 4, every 4th
    // from 2, every 2nd from 1.
    static constexpr int PassStart[] = {0, 4, 2, 1}, PassStep[] = {8, 8, 4, 2};
    int pass = 0, row = 0;
    for (int i = 0; i < frame.Height; ++i) {
        if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR) fail();
        int y = i;
        if (frame.Interlace) {
            while (row >= frame.Height) row = PassStart[++pass];
            y = row;
            row += PassStep[pass];
        }
        const int64_t screenY = int64_t(frame.Top) + y;
        if (screenY < 0 || screenY >= height) continue;
        Pixel* out = image.Scanline(int32_t(screenY));
        for (int x = 0; x < frame.Width; ++x) {
            const int64_t screenX = int64_t(frame.Left) + x;
            if (screenX >= width || (transparent && line[size_t(x)] == *transparent)) continue;
            if (line[size_t(x)] >= map->ColorCount) continue;  // no such colour: the screen shows
            const GifColorType& c = map->Colors[line[size_t(x)]];
            out[screenX] = MakePixel(c.Red, c.Green, c.Blue);
        }
    }
    return image;
}

void RegisterGIFFormats(TFileFormatList& list) {
    list.RegisterFileFormat("gif", "CompuServe images", "", ftAnimation | ftMultiImage | ftRaster,
                            false, GraphicClassOf<TGIFGraphic>());
}

}  // namespace corvane
