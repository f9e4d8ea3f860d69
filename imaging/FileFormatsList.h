#pragma once
// The process-wide registry of picture file formats: an ordered list of entries, appended to at
// the end. Lookup searches from the newest entry to the oldest, so the newest entry for an
// extension wins; an extension may occur more than once. Extensions are stored in lower case,
// without the dot, and may be empty. The list is created on first use with the built-in formats
// (metafiles, enhanced metafiles, icons, bitmaps) as its first four entries.

#include <string>
#include <vector>

#include "imaging/Graphic.h"

namespace corvane {

class TFileFormatsList {
public:
    struct Entry {
        std::string Extension;
        std::string Description;
        const TGraphicClass* GraphicClass;
        int DescResID;  // always 0 here
    };

    // The four built-in entries.
    TFileFormatsList();

    void Add(const std::string& extension, const std::string& description, int descResID,
             const TGraphicClass* graphicClass);
    // Removes every entry of the class.
    void Remove(const TGraphicClass* graphicClass);
    // The class of the newest entry with exactly this extension (compared in lower case), or
    // none.
    const TGraphicClass* FindExt(const std::string& extension) const;

    const std::vector<Entry>& Entries() const { return FEntries; }

private:
    std::vector<Entry> FEntries;
};

// The one registry of the process, created on first use.
TFileFormatsList& FileFormats();
// Drops the registry; the next use creates it afresh with the built-in entries.
void ResetFileFormats();

// Appends an entry to the registry, the extension lower-cased.
void RegisterFileFormat(const std::string& extension, const std::string& description,
                        const TGraphicClass* graphicClass);
void UnregisterGraphicClass(const TGraphicClass* graphicClass);

std::string LowerCase(std::string text);

}  // namespace corvane
