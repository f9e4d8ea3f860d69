#pragma once
// The second-level registry kept by the registration of the further formats. It holds one class
// entry per picture class (its common description and how many extensions it registered) and one
// entry per extension (individual description, format kinds, its class entry). Every
// registration through it also appends an entry to the process-wide registry (FileFormats()),
// which is the only effect it has on loading. An extension occurs at most once.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/Graphic.h"

namespace corvane {

// Format kinds, a bit set.
enum TFormatType : uint32_t {
    ftAnimation = 1,
    ftLayered = 2,
    ftMultiImage = 4,
    ftRaster = 8,
    ftVector = 16,
};

class TFileFormatList {
public:
    struct ClassEntry {
        const TGraphicClass* GraphicClass;
        std::string Description;
        int Count;
    };
    struct ExtensionEntry {
        std::string Extension;
        std::string Description;
        uint32_t FormatTypes;
        ClassEntry* Class;
    };

    // Throws EInvalidGraphicOperation "Attempt to register %s twice." for an extension already
    // held, unless replace is set.
    void RegisterFileFormat(const std::string& extension, const std::string& common,
                            const std::string& individual, uint32_t formatTypes, bool replace,
                            const TGraphicClass* graphicClass);
    // Drops the class's entries here and its entries of the process-wide registry.
    void UnregisterFileFormat(const TGraphicClass* graphicClass);

    const std::vector<std::unique_ptr<ClassEntry>>& Classes() const { return FClasses; }
    const std::vector<ExtensionEntry>& Extensions() const { return FExtensions; }

private:
    std::vector<std::unique_ptr<ClassEntry>> FClasses;  // stable addresses for the extensions
    std::vector<ExtensionEntry> FExtensions;
};

// The one list of the process, created on first use; ResetFileFormatList drops it.
TFileFormatList& FileFormatList();
void ResetFileFormatList();

}  // namespace corvane
