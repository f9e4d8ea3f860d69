#include "imaging/formats/HeifDecoder.h"

#include <libheif/heif.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "imaging/ImagingErrors.h"
#include "imaging/PictureLimits.h"

namespace corvane {

namespace {

// libheif loads its decoder plugins (where it has them) once per process; it is never taken
// down, as a load may run on another thread at any time until the end.
void InitializeLibheif() {
    static const bool initialized = [] {
        heif_init(nullptr);
        return true;
    }();
    (void)initialized;
}

struct ContextFree {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleRelease {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

class THeifErrors {
  public:
    explicit THeifErrors(const std::string& formatName) : FName(formatName) {}

    [[noreturn]] void Refuse(const std::string& reason) const {
        throw EInvalidGraphic(FName + " image is not valid: " + reason);
    }
    void Check(const heif_error& error) const {
        if (error.code == heif_error_Ok) return;
        if (error.code == heif_error_Unsupported_feature &&
            error.subcode == heif_suberror_Unsupported_codec)
            throw EInvalidGraphic("Cannot load " + FName +
                                  " image: no decoder for its codec is installed (libheif)");
        std::string reason = error.message ? error.message : "";
        while (!reason.empty() && std::isspace(static_cast<unsigned char>(reason.back())))
            reason.pop_back();
        Refuse(reason.empty() ? "libheif cannot read it" : reason);
    }

  private:
    std::string FName;
};

// Whether libheif offers the AV1 decoder of that name.
bool HasAv1Decoder(const char* name) {
    const heif_decoder_descriptor* decoders[8] = {};
    const int count = heif_get_decoder_descriptors(heif_compression_AV1, decoders, 8);
    for (int i = 0; i < count; ++i)
        if (std::strcmp(heif_decoder_descriptor_get_id_name(decoders[i]), name) == 0) return true;
    return false;
}

}  // namespace

TDecodedPicture DecodeHeif(Bytes data, const std::string& formatName, TPictureBudget& budget) {
    InitializeLibheif();
    const THeifErrors errors(formatName);
    std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
    if (!context) errors.Refuse("libheif cannot start");
    // libheif reads the boxes it needs from the bytes, which stay ours until the end.
    errors.Check(heif_context_read_from_memory_without_copy(context.get(), data.data(), data.size(),
                                                            nullptr));
    heif_image_handle* rawHandle = nullptr;
    errors.Check(heif_context_get_primary_image_handle(context.get(), &rawHandle));
    std::unique_ptr<heif_image_handle, HandleRelease> handle(rawHandle);

    // libheif decodes at the coded size ("ispe") and then turns and crops: both sizes must be
    // within the limit before it allocates anything.
    const int codedWidth = heif_image_handle_get_ispe_width(handle.get());
    const int codedHeight = heif_image_handle_get_ispe_height(handle.get());
    const int width = heif_image_handle_get_width(handle.get());
    const int height = heif_image_handle_get_height(handle.get());
    if (codedWidth <= 0 || codedHeight <= 0 || width <= 0 || height <= 0)
        errors.Refuse("it states no size");
    CheckPictureSize(codedWidth, codedHeight);
    CheckPictureSize(width, height);
    // libheif refuses a side at or past the limit (see PictureLimits.h).
    heif_context_set_maximum_image_size_limit(
        context.get(),
        std::min(std::max(codedWidth, codedHeight) + HeifSideMargin, MaxHeifSide) + 1);
    const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
    // The coded planes and libheif's interleaved copy, then ours.
    budget.AllowImage(codedWidth, codedHeight, 8);
    budget.AllowImage(width, height, alpha ? 5 : 4);

    std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
    options->ignore_transformations = 0;
    options->convert_hdr_to_8bit = 1;
    // AV1 goes to libaom where libheif has it: the dav1d under Debian 12's libheif crashes the
    // process on some malformed AV1 headers (a fuzz find), which libaom refuses cleanly.
    if (HasAv1Decoder("aom")) options->decoder_id = "aom";
    heif_image* rawImage = nullptr;
    errors.Check(heif_decode_image(
        handle.get(), &rawImage, heif_colorspace_RGB,
        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get()));
    std::unique_ptr<heif_image, ImageRelease> image(rawImage);
    const int outWidth = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int outHeight = heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t* plane =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int channels = alpha ? 4 : 3;
    if (!plane || outWidth <= 0 || outHeight <= 0 || outWidth > width || outHeight > height ||
        stride < outWidth * channels)
        errors.Refuse("libheif gave no picture");

    TDecodedPicture picture;
    picture.Image = Bitmap32(outWidth, outHeight);
    if (alpha) picture.Alpha.resize(size_t(outWidth) * size_t(outHeight));
    for (int y = 0; y < outHeight; ++y) {
        const uint8_t* in = plane + size_t(y) * size_t(stride);
        Pixel* out = picture.Image.Scanline(y);
        for (int x = 0; x < outWidth; ++x, in += channels) out[x] = MakePixel(in[0], in[1], in[2]);
        if (alpha) {
            uint8_t* opacity = picture.Alpha.data() + size_t(y) * size_t(outWidth);
            in = plane + size_t(y) * size_t(stride);
            for (int x = 0; x < outWidth; ++x) opacity[x] = in[4 * x + 3];
        }
    }
    return picture;  // the turn is libheif's: Orientation stays 1
}

}  // namespace corvane
