#pragma once
// The settings file as text: an ordered list of sections, each an ordered list of entries. An
// entry is either named (Name "=" Value, both trimmed) or raw: a line without "=" kept as it
// stood (Raw set, the line in Name, Value empty), which no lookup by name finds. Section and entry
// names compare without regard to ASCII letter case; the same name may occur more than once, and
// the first occurrence is the one that lookups find.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct IniEntry {
    std::string Name;
    std::string Value;
    bool Raw = false;
};

struct IniSection {
    std::string Name;
    std::vector<IniEntry> Entries;
};

// Reads the text of a settings file. Lines end in CR LF, LF or CR; each line is trimmed of blanks
// and control characters; empty lines, lines that begin with ";" and lines before the first
// section are dropped. A UTF-8 byte-order mark at the start is skipped. Never fails.
std::vector<IniSection> ParseIniText(std::string_view text);

// The text of a settings file: for each section "[Name]", its entries as Name=Value (raw entries
// as they stood), then an empty line. Lines end in LF.
std::string FormatIniText(const std::vector<IniSection>& sections);

bool SameIniName(std::string_view a, std::string_view b);

}  // namespace corvane
