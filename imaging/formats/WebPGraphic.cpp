#include "imaging/formats/WebPGraphic.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>
#include <string>

#include "imaging/ImagingErrors.h"
#include "imaging/Orientation.h"

namespace corvane {

namespace {

constexpr const char* InvalidWebP = "WebP image is not valid";

[[noreturn]] void Refuse(const std::string& reason) {
    throw EInvalidGraphic(std::string(InvalidWebP) + ": " + reason);
}

std::string StatusText(VP8StatusCode status) {
    switch (status) {
        case VP8_STATUS_NOT_ENOUGH_DATA:
            return "the file ends early";
        case VP8_STATUS_BITSTREAM_ERROR:
            return "its image data is damaged";
        case VP8_STATUS_UNSUPPORTED_FEATURE:
            return "it uses a feature libwebp does not read";
        case VP8_STATUS_OUT_OF_MEMORY:
            return "not enough memory";
        default:
            return "libwebp cannot decode it (status " + std::to_string(int(status)) + ")";
    }
}

// Lossy data must be able to cover the macroblocks its frame header states (see
// PictureLimits.h). A frame is the optional alpha chunk, then the "VP8 " chunk, or, in a file
// that is a bare bitstream, the VP8 data alone.
void CheckLossyData(Bytes frame) {
    uint64_t at = 0;
    if (InRange(frame, 0, 8) && std::memcmp(frame.data(), "ALPH", 4) == 0)
        at = 8 + ((uint64_t(Le32(frame.data() + 4)) + 1) & ~uint64_t(1));
    if (InRange(frame, at, 8) && std::memcmp(frame.data() + at, "VP8 ", 4) == 0) at += 8;
    if (!InRange(frame, at, 10)) Refuse("the file ends early");
    const Bytes vp8 = frame.subspan(at);
    const uint32_t tag = uint32_t(vp8[0]) | uint32_t(vp8[1]) << 8 | uint32_t(vp8[2]) << 16;
    const uint64_t partition = (tag >> 5) & 0x7FFFF;
    const uint64_t width = Le16(vp8.data() + 6) & 0x3FFF, height = Le16(vp8.data() + 8) & 0x3FFF;
    const uint64_t macroblocks = ((width + 15) / 16) * ((height + 15) / 16);
    // The bool decoder reads a few bytes past the partition's end as zeros before it gives up.
    const uint64_t available = std::min<uint64_t>(partition, vp8.size() - 10) + 4;
    if (!DataCanYield(available, macroblocks, MaxVp8MacroblocksPerByte))
        Refuse("its image data is too short for " + std::to_string(width) + " x " +
               std::to_string(height) + " pixels (the file is cut short or damaged)");
}

struct DemuxDelete {
    void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};

}  // namespace

TDecodedPicture TWebPGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    // The container is parsed from memory; its frames are what the file holds.
    const std::vector<uint8_t> data = budget.ReadWhole(stream);
    const WebPData whole{data.data(), data.size()};
    WebPDemuxState state = WEBP_DEMUX_PARSE_ERROR;
    std::unique_ptr<WebPDemuxer, DemuxDelete> demux(WebPDemuxPartial(&whole, &state));
    if (!demux || state == WEBP_DEMUX_PARSE_ERROR)
        Refuse(data.size() >= 12 && std::memcmp(data.data() + 8, "WEBP", 4) == 0
                   ? "its data is damaged"
                   : "not a WebP file");
    if (state != WEBP_DEMUX_DONE) Refuse("the file ends early");

    WebPIterator frame;
    if (!WebPDemuxGetFrame(demux.get(), 1, &frame)) Refuse("it holds no picture");
    const Bytes fragment(frame.fragment.bytes, frame.fragment.size);
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) Refuse("libwebp does not match its headers");
    VP8StatusCode status = WebPGetFeatures(fragment.data(), fragment.size(), &config.input);
    if (status != VP8_STATUS_OK) {
        WebPDemuxReleaseIterator(&frame);
        Refuse(StatusText(status));
    }
    const int32_t width = config.input.width, height = config.input.height;
    const bool alpha = config.input.has_alpha;
    WebPDemuxReleaseIterator(&frame);
    if (width <= 0 || height <= 0) Refuse("it states no size");
    CheckPictureSize(width, height);
    // Lossless data has no such floor: a flat picture costs next to nothing.
    if (config.input.format == 1) CheckLossyData(fragment);

    budget.AllowImage(width, height, alpha ? 5 : 4);
    TDecodedPicture picture;
    picture.Image = Bitmap32(width, height);
    // Blue, green, red and opacity per pixel, straight into the bottom-up rows: flipped, the top
    // row lands last in memory.
    config.output.colorspace = MODE_BGRA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = reinterpret_cast<uint8_t*>(picture.Image.Bits());
    config.output.u.RGBA.stride = width * 4;
    config.output.u.RGBA.size = size_t(width) * size_t(height) * 4;
    config.options.flip = 1;
    status = WebPDecode(fragment.data(), fragment.size(), &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK) Refuse(StatusText(status));
    if (alpha)
        picture.Alpha = SplitAlpha(picture.Image);
    else
        for (size_t i = 0; i < picture.Image.PixelCount(); ++i) picture.Image.Bits()[i] &= 0xFFFFFF;

    WebPChunkIterator exif;
    if (WebPDemuxGetChunk(demux.get(), "EXIF", 1, &exif)) {
        picture.Orientation = ReadExifOrientation(Bytes(exif.chunk.bytes, exif.chunk.size));
        WebPDemuxReleaseChunkIterator(&exif);
    }
    return picture;
}

}  // namespace corvane
