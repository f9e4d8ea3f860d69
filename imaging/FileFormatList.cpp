#include "imaging/FileFormatList.h"

#include <algorithm>

#include "imaging/FileFormatsList.h"
#include "imaging/ImagingErrors.h"

namespace corvane {

void TFileFormatList::RegisterFileFormat(const std::string& extension, const std::string& common,
                                         const std::string& individual, uint32_t formatTypes,
                                         bool replace, const TGraphicClass* graphicClass) {
    const std::string lower = LowerCase(extension);
    auto existing = std::find_if(FExtensions.begin(), FExtensions.end(),
                                 [&](const ExtensionEntry& e) { return e.Extension == lower; });
    if (existing != FExtensions.end() && !replace)
        throw EInvalidGraphicOperation("Attempt to register " + extension + " twice.");

    auto cls = std::find_if(FClasses.begin(), FClasses.end(),
                            [&](const auto& c) { return c->GraphicClass == graphicClass; });
    ClassEntry* classEntry;
    if (cls == FClasses.end()) {
        FClasses.push_back(std::make_unique<ClassEntry>(ClassEntry{graphicClass, common, 0}));
        classEntry = FClasses.back().get();
    } else {
        classEntry = cls->get();
        if (!common.empty()) classEntry->Description = common;
    }
    ++classEntry->Count;

    ExtensionEntry entry{lower, individual, formatTypes, classEntry};
    if (existing != FExtensions.end()) {
        --existing->Class->Count;
        *existing = entry;
    } else {
        FExtensions.push_back(entry);
    }
    corvane::RegisterFileFormat(lower, individual.empty() ? classEntry->Description : individual,
                                graphicClass);
}

void TFileFormatList::UnregisterFileFormat(const TGraphicClass* graphicClass) {
    std::erase_if(FExtensions,
                  [&](const ExtensionEntry& e) { return e.Class->GraphicClass == graphicClass; });
    std::erase_if(FClasses, [&](const auto& c) { return c->GraphicClass == graphicClass; });
    UnregisterGraphicClass(graphicClass);
}

namespace {
std::unique_ptr<TFileFormatList>& List() {
    static std::unique_ptr<TFileFormatList> list;
    return list;
}
}  // namespace

TFileFormatList& FileFormatList() {
    auto& list = List();
    if (!list) list = std::make_unique<TFileFormatList>();
    return *list;
}

void ResetFileFormatList() {
    List().reset();
}

}  // namespace corvane
