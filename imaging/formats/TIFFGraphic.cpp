#include "imaging/formats/TIFFGraphic.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "imaging/ImagingErrors.h"
#include "imaging/Orientation.h"
#include "imaging/PictureLimits.h"
#include "imaging/formats/FormatInput.h"

namespace corvane {

namespace {

// What libtiff reads through: a window of the stream, or the part of it read into memory
// (which libtiff then maps), and what went wrong while reading.
struct TiffSource {
    TStream* Stream = nullptr;
    TPictureBudget* Budget = nullptr;
    uint64_t Start = 0;   // of the window, in the stream
    uint64_t Length = 0;  // of the window
    std::vector<uint8_t> Memory;
    bool InMemory = false;
    uint64_t Position = 0;
    uint64_t HighWater = 0;  // the end of the furthest read from the stream
    bool ShortRead = false;  // a read asked for more than the window holds
    std::string Module;      // of libtiff's first error
    std::string Message;

    uint64_t Size() const { return InMemory ? Memory.size() : Length; }
};

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
    auto* s = static_cast<TiffSource*>(handle);
    if (size <= 0) return 0;
    const uint64_t left = s->Position < s->Size() ? s->Size() - s->Position : 0;
    const uint64_t wanted = std::min<uint64_t>(uint64_t(size), left);
    size_t got = 0;
    if (s->InMemory) {
        if (wanted) std::memcpy(buffer, s->Memory.data() + s->Position, size_t(wanted));
        got = size_t(wanted);
    } else if (wanted) {
        const std::vector<uint8_t> bytes =
            s->Budget->ReadUpTo(*s->Stream, s->Start + s->Position, wanted);
        if (!bytes.empty()) std::memcpy(buffer, bytes.data(), bytes.size());
        got = bytes.size();
        s->HighWater = std::max(s->HighWater, s->Position + got);
    }
    s->Position += got;
    if (got < uint64_t(size)) s->ShortRead = true;
    return tmsize_t(got);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) {
    return 0;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    auto* s = static_cast<TiffSource*>(handle);
    uint64_t base = whence == SEEK_CUR ? s->Position : whence == SEEK_END ? s->Length : 0;
    s->Position = base + offset;
    return s->Position;  // reads past the end come up short
}

int CloseProc(thandle_t) {
    return 0;
}

toff_t SizeProc(thandle_t handle) {
    return static_cast<TiffSource*>(handle)->Size();
}

int MapProc(thandle_t handle, void** base, toff_t* size) {
    auto* s = static_cast<TiffSource*>(handle);
    if (!s->InMemory || s->Memory.empty()) return 0;
    *base = s->Memory.data();
    *size = s->Memory.size();
    return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

int ErrorHandler(TIFF*, void* user, const char* module, const char* format, va_list args) {
    auto* s = static_cast<TiffSource*>(user);
    if (s->Message.empty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, args);
        s->Module = module ? module : "";
        s->Message = text;
    }
    return 1;  // handled: libtiff's global handler stays quiet
}

int WarningHandler(TIFF*, void*, const char*, const char*, va_list) {
    return 1;  // warnings are dropped
}

struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
struct OptionsFreer {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

// The decoded bytes one byte of strip data can yield at most, by compression.
uint64_t ExpansionLimit(uint16_t compression, uint32_t width) {
    switch (compression) {
        case COMPRESSION_NONE:
            return 1;
        case COMPRESSION_PACKBITS:
            return MaxRunBytesPerByte;
        case COMPRESSION_LZW:
            return MaxTiffLzwBytesPerByte;
        case COMPRESSION_DEFLATE:
        case COMPRESSION_ADOBE_DEFLATE:
            return MaxInflateBytesPerByte;
        case COMPRESSION_CCITTRLE:
        case COMPRESSION_CCITTFAX3:
        case COMPRESSION_CCITTFAX4:  // a whole line can be a single bit
            return std::max<uint64_t>(width, 64);
        case COMPRESSION_JPEG:
        case COMPRESSION_OJPEG:
            return MaxTiffJpegBytesPerByte;
        default:
            return MaxTiffOtherBytesPerByte;
    }
}

// The design's messages for the failures of libtiff's JPEG codec that it names.
const char* JpegMessage(const std::string& message) {
    static const char* const known[][2] = {
        {"Improper JPEG strip/tile size", "Improper JPEG strip/tile size."},
        {"Improper JPEG component count", "Improper JPEG component count."},
        {"Improper JPEG data precision", "Improper JPEG data precision."},
        {"Improper JPEG sampling factors", "Improper JPEG sampling factors."},
        {"Bogus JPEGTables field", "Bogus JPEG tables field."},
        {"Fractional scanline", "Fractional JPEG scanline unsupported."},
        {"Premature end of JPEG", "JPEG decompression error. Unexpected end of input."},
    };
    for (const auto& [prefix, text] : known)
        if (message.find(prefix) != std::string::npos) return text;
    return nullptr;
}

[[noreturn]] void Fail(const TiffSource& source, const TFormatErrors& errors) {
    if (const char* jpeg = JpegMessage(source.Message)) throw EInvalidGraphic(jpeg);
    if (source.Message.find("subsampling") != std::string::npos)
        throw EInvalidGraphic("Subsampling value is invalid. Allowed are 1, 2 and 4.");
    if (source.Module == "ZIPDecode" || source.Module == "ZIPPreDecode")
        throw EInvalidGraphic("LZ77 decompression error.");
    if (source.ShortRead) errors.ReadError();
    errors.Invalid();
}

// The colour depth and sample counts that the picture's colour scheme allows.
void CheckColourScheme(TIFF* tif) {
    uint16_t bits = 1, samples = 1, photometric = 0;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    const bool hasPhotometric = TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric);
    const bool logLuv = photometric == PHOTOMETRIC_LOGLUV || photometric == PHOTOMETRIC_LOGL;
    if (!logLuv && bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16)
        throw EInvalidGraphic("Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
    if (!hasPhotometric) return;  // libtiff guesses from the sample count
    bool fits = true;
    switch (photometric) {
        case PHOTOMETRIC_MINISWHITE:
        case PHOTOMETRIC_MINISBLACK:
        case PHOTOMETRIC_PALETTE:
            fits = samples >= 1;
            break;
        case PHOTOMETRIC_RGB:
        case PHOTOMETRIC_YCBCR:
        case PHOTOMETRIC_CIELAB:
            fits = samples >= 3;
            break;
        case PHOTOMETRIC_SEPARATED:
            fits = samples >= 4;
            break;
    }
    if (!fits)
        throw EInvalidGraphic(
            "Sample count per pixel does not correspond to the given color scheme.");
    if (photometric == PHOTOMETRIC_YCBCR) {
        uint16_t horizontal = 2, vertical = 2;
        TIFFGetFieldDefaulted(tif, TIFFTAG_YCBCRSUBSAMPLING, &horizontal, &vertical);
        auto allowed = [](uint16_t v) { return v == 1 || v == 2 || v == 4; };
        if (!allowed(horizontal) || !allowed(vertical))
            throw EInvalidGraphic("Subsampling value is invalid. Allowed are 1, 2 and 4.");
        if (vertical > horizontal)
            throw EInvalidGraphic(
                "Vertical subsampling value must be <= horizontal subsampling value.");
    }
}

// Standard-resolution fax lines are twice as tall as their dots are wide.
bool IsHalfHeightFax(TIFF* tif, uint16_t compression) {
    if (compression != COMPRESSION_CCITTRLE && compression != COMPRESSION_CCITTFAX3 &&
        compression != COMPRESSION_CCITTFAX4)
        return false;
    float x = 0, y = 0;
    if (!TIFFGetField(tif, TIFFTAG_XRESOLUTION, &x) || !TIFFGetField(tif, TIFFTAG_YRESOLUTION, &y))
        return false;
    return y > 0 && x / y > 1.8f && x / y < 2.2f;
}

// libtiff's RGBA reader as the rows are stored, bottom row first: its own handling of the
// Orientation tag (flips only) is turned off.
bool ReadStoredRaster(TIFF* tif, Bitmap32& image) {
    char reason[1024] = "";
    TIFFRGBAImage reader;
    if (!TIFFRGBAImageBegin(&reader, tif, 1, reason)) return false;
    reader.orientation = ORIENTATION_TOPLEFT;
    reader.req_orientation = ORIENTATION_BOTLEFT;
    const int ok = TIFFRGBAImageGet(&reader, reinterpret_cast<uint32_t*>(image.Bits()),
                                    uint32_t(image.Width()), uint32_t(image.Height()));
    TIFFRGBAImageEnd(&reader);
    return ok != 0;
}

}  // namespace

Bitmap32 TTIFFGraphic::DecodeTiff(TStream& stream, TPictureBudget& budget, uint64_t start,
                                  uint64_t length, const TFormatErrors& errors) {
    // The byte order and the magic number first: libtiff reports a wrong one before its error
    // handler is in place.
    std::vector<uint8_t> magic;
    if (length < 8 || !budget.ReadAt(stream, start, 4, magic)) errors.ReadError();
    const bool little =
        magic[0] == 'I' && magic[1] == 'I' && magic[3] == 0 && (magic[2] == 42 || magic[2] == 43);
    const bool big =
        magic[0] == 'M' && magic[1] == 'M' && magic[2] == 0 && (magic[3] == 42 || magic[3] == 43);
    if (!little && !big) errors.Invalid();

    TiffSource source;
    source.Stream = &stream;
    source.Budget = &budget;
    source.Start = start;
    source.Length = length;
    std::unique_ptr<TIFFOpenOptions, OptionsFreer> options(TIFFOpenOptionsAlloc());
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), ErrorHandler, &source);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), WarningHandler, &source);
    // Nothing libtiff allocates for one picture needs more than the largest picture's pixels.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), tmsize_t(MaxPicturePixels * 8));
    auto open = [&] {
        std::unique_ptr<TIFF, TiffCloser> tif(
            TIFFClientOpenExt(errors.Name().c_str(), "r", &source, ReadProc, WriteProc, SeekProc,
                              CloseProc, SizeProc, MapProc, UnmapProc, options.get()));
        if (!tif) Fail(source, errors);
        return tif;
    };
    // First the first directory alone, read from the stream.
    std::unique_ptr<TIFF, TiffCloser> tif = open();

    uint32_t width = 0, height = 0;
    if (!TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height))
        errors.Invalid();
    uint16_t compression = COMPRESSION_NONE, bits = 1, samples = 1;
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_COMPRESSION, &compression);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    if (!TIFFIsCODECConfigured(compression)) {
        const TIFFCodec* codec = TIFFFindCODEC(compression);
        errors.NotSupported(codec ? std::string(codec->name) + " compression"
                                  : "Compression scheme " + std::to_string(compression));
    }
    CheckColourScheme(tif.get());

    // The strips or tiles must be able to hold the picture before anything is allocated for it.
    uint64_t stored = 0, end = source.HighWater;
    const uint32_t pieces =
        TIFFIsTiled(tif.get()) ? TIFFNumberOfTiles(tif.get()) : TIFFNumberOfStrips(tif.get());
    for (uint32_t i = 0; i < pieces; ++i) {
        int failed = 0;
        const uint64_t at = TIFFGetStrileOffsetWithErr(tif.get(), i, &failed);
        const uint64_t count = TIFFGetStrileByteCountWithErr(tif.get(), i, &failed);
        if (failed) Fail(source, errors);
        if (at < length) {
            stored += std::min(count, length - at);
            end = std::max(end, at + std::min(count, length - at));
        }
    }
    const uint64_t decoded = (uint64_t(width) * samples * bits + 7) / 8 * height;
    if (width == 0 || height == 0) errors.Invalid();
    CheckPictureSize(width, height);
    if (!DataCanYield(stored, decoded, ExpansionLimit(compression, width))) errors.ReadError();

    // Then the part of the file that the directory and the picture's data occupy, read into
    // memory and mapped: libtiff's RGBA reader handles every layout only from a mapped file.
    tif.reset();
    if (!budget.ReadAt(stream, start, end, source.Memory)) errors.ReadError();
    source.InMemory = true;
    source.Position = 0;
    tif = open();

    char reason[1024] = "";
    if (!TIFFRGBAImageOK(tif.get(), reason)) {
        if (!source.Message.empty()) Fail(source, errors);
        throw EInvalidGraphic("Color conversion failed. Could not find a proper method.");
    }
    // libtiff fills the raster from the bottom row up, as the bitmap lies in memory; each pixel
    // comes as red in the lowest byte, then green, blue and alpha. The rows come as stored: the
    // Orientation tag is applied below, once, with its quarter turns, which libtiff leaves out.
    budget.AllowImage(width, height);
    Bitmap32 image{int32_t(width), int32_t(height)};
    if (!ReadStoredRaster(tif.get(), image)) Fail(source, errors);
    Pixel* p = image.Bits();
    for (size_t i = 0, n = image.PixelCount(); i < n; ++i)
        p[i] = (p[i] & 0xFF) << 16 | (p[i] & 0xFF00) | (p[i] >> 16 & 0xFF);

    if (IsHalfHeightFax(tif.get(), compression) && int64_t(height) * 2 * width <= MaxPicturePixels) {
        budget.AllowImage(width, int64_t(height) * 2);
        Bitmap32 doubled(int32_t(width), int32_t(height) * 2);
        for (int32_t y = 0; y < doubled.Height(); ++y)
            std::memcpy(doubled.Scanline(y), image.Scanline(y / 2), size_t(width) * sizeof(Pixel));
        image = std::move(doubled);
    }
    const int orientation = ReadTiffOrientation(source.Memory);
    if (orientation == OrientationAsStored) return image;
    budget.AllowImage(image.Width(), image.Height());  // the turned copy
    return TurnUpright(std::move(image), orientation);
}

Bitmap32 TTIFFGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("TIFF");
    const uint64_t start = stream.Position();
    return DecodeTiff(stream, budget, start, stream.Size() > start ? stream.Size() - start : 0,
                      errors);
}

namespace {

#pragma pack(push, 1)
struct EpsBinaryHeader {
    uint32_t Magic;  // C5 D0 D3 C6
    uint32_t PostScriptOffset;
    uint32_t PostScriptLength;
    uint32_t MetafileOffset;
    uint32_t MetafileLength;
    uint32_t TiffOffset;
    uint32_t TiffLength;
    uint16_t Checksum;
};
#pragma pack(pop)
static_assert(sizeof(EpsBinaryHeader) == 30);

constexpr uint32_t EpsMagic = 0xC6D3D0C5;

}  // namespace

Bitmap32 TEPSGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    const TFormatErrors errors("EPS");
    const uint64_t start = stream.Position();
    const TFormatInput input(stream, budget, errors);
    const std::vector<uint8_t> head = input.ReadUpTo(0, sizeof(EpsBinaryHeader));
    EpsBinaryHeader h{};
    const bool binary = ReadStruct(head, 0, h) && h.Magic == EpsMagic;
    if (!binary) {
        if (head.size() >= 2 && head[0] == '%' && head[1] == '!')
            errors.NotSupported("PostScript without a TIFF preview");
        errors.Invalid();
    }
    if (h.TiffOffset == 0 || h.TiffLength == 0)
        errors.NotSupported("PostScript without a TIFF preview");
    if (uint64_t(h.TiffOffset) + h.TiffLength > input.Size()) errors.ReadError();
    return DecodeTiff(stream, budget, start + h.TiffOffset, h.TiffLength, errors);
}

void RegisterTIFFFormats(TFileFormatList& list) {
    const TGraphicClass* tiff = GraphicClassOf<TTIFFGraphic>();
    const uint32_t kinds = ftRaster | ftMultiImage;
    list.RegisterFileFormat("tiff", "Tagged image file format images", "Macintosh TIFF images",
                            kinds, false, tiff);
    list.RegisterFileFormat("tif", "", "PC TIF images", kinds, false, tiff);
    list.RegisterFileFormat("fax", "", "GFI fax images", kinds, false, tiff);
}

void RegisterEPSFormats(TFileFormatList& list) {
    list.RegisterFileFormat("eps", "Encapsulated Postscript images", "", ftRaster, false,
                            GraphicClassOf<TEPSGraphic>());
}

}  // namespace corvane
