#include "imaging/OleGraphic.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "imaging/Bitmap.h"
#include "imaging/EmfPlayer.h"
#include "imaging/FileFormatsList.h"
#include "imaging/FileStream.h"
#include "imaging/Icon.h"
#include "imaging/ImagingErrors.h"
#include "imaging/JPEGImage.h"
#include "imaging/Metafile.h"

namespace corvane {

namespace {

constexpr const char* InvalidPicture = "Picture is not valid";
// Enough for every signature below (an enhanced metafile's header is the longest).
constexpr uint64_t SniffBytes = 128;

// The stand-in's own refusal, told apart from the errors of the class that read the file.
class ENotAPicture : public EInvalidGraphic {
public:
    ENotAPicture() : EInvalidGraphic(InvalidPicture) {}
};

bool StartsWith(Bytes data, std::initializer_list<uint8_t> prefix) {
    return data.size() >= prefix.size() &&
           std::memcmp(data.data(), std::data(prefix), prefix.size()) == 0;
}

// Today's formats, which the system's loader did not know but a folder of photos holds: PNG,
// WebP, and the ISO media files of HEIF and AVIF, told apart by the brands of their "ftyp" box.
const TGraphicClass* SniffTodaysFormat(Bytes data) {
    if (StartsWith(data, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}))
        return FileFormats().FindExt("png");
    if (data.size() >= 12 && StartsWith(data, {'R', 'I', 'F', 'F'}) &&
        std::memcmp(data.data() + 8, "WEBP", 4) == 0)
        return FileFormats().FindExt("webp");
    if (data.size() < 16 || std::memcmp(data.data() + 4, "ftyp", 4) != 0) return nullptr;
    // The major brand, the minor version, then compatible brands to the end of the box.
    const uint64_t boxEnd = std::min<uint64_t>(
        data.size(), uint64_t(data[0]) << 24 | data[1] << 16 | data[2] << 8 | data[3]);
    bool heif = false;
    for (uint64_t at = 8; at + 4 <= boxEnd; at += at == 8 ? 8 : 4) {
        const std::string brand(reinterpret_cast<const char*>(data.data() + at), 4);
        if (brand == "avif" || brand == "avis") return FileFormats().FindExt("avif");
        heif = heif || brand == "heic" || brand == "heix" || brand == "hevc" || brand == "hevx" ||
               brand == "heim" || brand == "heis" || brand == "mif1" || brand == "msf1";
    }
    return heif ? FileFormats().FindExt("heic") : nullptr;
}

}  // namespace

const TGraphicClass* SniffGraphicClass(Bytes data) {
    if (StartsWith(data, {'B', 'M'})) return GraphicClassOf<TBitmap>();
    if (StartsWith(data, {0, 0, 1, 0})) return GraphicClassOf<TIcon>();
    if (StartsWith(data, {0xD7, 0xCD, 0xC6, 0x9A})) return GraphicClassOf<TMetafile>();
    if (IsEmf(data)) return GraphicClassOf<TMetafile>();
    // A plain Windows metafile: type 1 or 2, a header of 9 words, version 1 or 3.
    if (data.size() >= 18 && (Le16(data.data()) == 1 || Le16(data.data()) == 2) &&
        Le16(data.data() + 2) == 9 &&
        (Le16(data.data() + 4) == 0x100 || Le16(data.data() + 4) == 0x300))
        return GraphicClassOf<TMetafile>();
    if (StartsWith(data, {0xFF, 0xD8, 0xFF})) return GraphicClassOf<TJPEGImage>();
    // GIF is read by the class registered for it, once there is one.
    if (StartsWith(data, {'G', 'I', 'F', '8'})) return FileFormats().FindExt("gif");
    return SniffTodaysFormat(data);
}

std::unique_ptr<TGraphic> TOleGraphic::Clone() const {
    auto copy = std::make_unique<TOleGraphic>();
    if (FInner) {
        copy->FInner = FInner->Clone();
        TOleGraphic* holder = copy.get();
        copy->FInner->OnChange = [holder](TGraphic&) { holder->Changed(); };
    }
    return copy;
}

void TOleGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName);
    try {
        LoadFromStream(stream);
    } catch (const ENotAPicture&) {
        throw EInvalidGraphic(std::string(InvalidPicture) + ": " + fileName);
    }
}

void TOleGraphic::LoadFromStream(TStream& stream) {
    // The first bytes decide the class, which then reads the file as it needs.
    const uint64_t start = stream.Position();
    TPictureBudget& budget = StartBudget();
    const std::vector<uint8_t> head = budget.ReadUpTo(stream, start, SniffBytes);
    const TGraphicClass* graphicClass = SniffGraphicClass(head);
    if (!graphicClass || graphicClass == GraphicClassOf<TOleGraphic>()) throw ENotAPicture();
    std::unique_ptr<TGraphic> inner = graphicClass->Create();
    stream.Seek(start);
    try {
        inner->LoadFromStream(stream);
    } catch (...) {
        StartBudget() = inner->Budget();
        throw;
    }
    StartBudget() = inner->Budget();
    FInner = std::move(inner);
    FInner->OnChange = [this](TGraphic&) { Changed(); };
    Changed();
}

void TOleGraphic::Draw(Bitmap32& dest, const TRect& rect) const {
    if (FInner) FInner->Draw(dest, rect);
}

}  // namespace corvane
