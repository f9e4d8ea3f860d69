#include "imaging/FileFormatsList.h"

#include <algorithm>
#include <memory>

#include "imaging/Bitmap.h"
#include "imaging/Icon.h"
#include "imaging/Metafile.h"

namespace corvane {

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

TFileFormatsList::TFileFormatsList() {
    Add("wmf", "Metafiles", 0, GraphicClassOf<TMetafile>());
    Add("emf", "Enhanced Metafiles", 0, GraphicClassOf<TMetafile>());
    Add("ico", "Icons", 0, GraphicClassOf<TIcon>());
    Add("bmp", "Bitmaps", 0, GraphicClassOf<TBitmap>());
}

void TFileFormatsList::Add(const std::string& extension, const std::string& description,
                           int descResID, const TGraphicClass* graphicClass) {
    FEntries.push_back(Entry{LowerCase(extension), description, graphicClass, descResID});
}

void TFileFormatsList::Remove(const TGraphicClass* graphicClass) {
    std::erase_if(FEntries, [&](const Entry& e) { return e.GraphicClass == graphicClass; });
}

const TGraphicClass* TFileFormatsList::FindExt(const std::string& extension) const {
    const std::string lower = LowerCase(extension);
    for (auto it = FEntries.rbegin(); it != FEntries.rend(); ++it)
        if (it->Extension == lower) return it->GraphicClass;
    return nullptr;
}

namespace {
// The registry itself: the one piece of process-wide state of picture loading. It is written
// only during start-up and end, when no picture is being loaded.
std::unique_ptr<TFileFormatsList>& Registry() {
    static std::unique_ptr<TFileFormatsList> list;
    return list;
}
}  // namespace

TFileFormatsList& FileFormats() {
    auto& list = Registry();
    if (!list) list = std::make_unique<TFileFormatsList>();
    return *list;
}

void ResetFileFormats() {
    Registry().reset();
}

void RegisterFileFormat(const std::string& extension, const std::string& description,
                        const TGraphicClass* graphicClass) {
    FileFormats().Add(extension, description, 0, graphicClass);
}

void UnregisterGraphicClass(const TGraphicClass* graphicClass) {
    FileFormats().Remove(graphicClass);
}

}  // namespace corvane
