#include "settings/MemIniFile.h"

#include <algorithm>
#include <utility>

#include "settings/IniValue.h"
#include "settings/SettingsFile.h"

namespace corvane {

MemIniFile::MemIniFile(std::filesystem::path fileName) : FFileName(std::move(fileName)) {
    if (auto text = ReadSettingsFile(FFileName)) FSections = ParseIniText(*text);
}

const IniSection* MemIniFile::FindSection(std::string_view section) const {
    for (const IniSection& s : FSections)
        if (SameIniName(s.Name, section)) return &s;
    return nullptr;
}

IniSection* MemIniFile::MutableSection(std::string_view section) {
    return const_cast<IniSection*>(std::as_const(*this).FindSection(section));
}

const IniEntry* MemIniFile::FindEntry(std::string_view section, std::string_view ident) const {
    const IniSection* s = FindSection(section);
    if (!s) return nullptr;
    for (const IniEntry& e : s->Entries)
        if (!e.Raw && SameIniName(e.Name, ident)) return &e;
    return nullptr;
}

std::string MemIniFile::ReadString(std::string_view section, std::string_view ident,
                                   std::string_view defaultValue) const {
    const IniEntry* e = FindEntry(section, ident);
    return std::string(e ? std::string_view(e->Value) : defaultValue);
}

void MemIniFile::WriteString(std::string_view section, std::string_view ident,
                             std::string_view value) {
    IniSection* s = MutableSection(section);
    if (!s) s = &FSections.emplace_back(IniSection{std::string(section), {}});
    for (IniEntry& e : s->Entries)
        if (!e.Raw && SameIniName(e.Name, ident)) {
            e.Value = value;
            return;
        }
    s->Entries.push_back({std::string(ident), std::string(value), false});
}

int32_t MemIniFile::ReadInteger(std::string_view section, std::string_view ident,
                                int32_t defaultValue) const {
    const IniEntry* e = FindEntry(section, ident);
    return e ? ParseIniInteger(e->Value).value_or(defaultValue) : defaultValue;
}

void MemIniFile::WriteInteger(std::string_view section, std::string_view ident, int32_t value) {
    WriteString(section, ident, std::to_string(value));
}

bool MemIniFile::ReadBool(std::string_view section, std::string_view ident,
                          bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void MemIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

double MemIniFile::ReadFloat(std::string_view section, std::string_view ident,
                             double defaultValue) const {
    const IniEntry* e = FindEntry(section, ident);
    return e ? ParseIniFloat(e->Value).value_or(defaultValue) : defaultValue;
}

void MemIniFile::WriteFloat(std::string_view section, std::string_view ident, double value) {
    WriteString(section, ident, FormatIniFloat(value));
}

std::vector<std::string> MemIniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const IniSection& s : FSections)
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string& n) { return SameIniName(n, s.Name); }))
            names.push_back(s.Name);
    return names;
}

std::vector<std::string> MemIniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> names;
    if (const IniSection* s = FindSection(section))
        for (const IniEntry& e : s->Entries)
            if (!e.Raw) names.push_back(e.Name);
    return names;
}

bool MemIniFile::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool MemIniFile::ValueExists(std::string_view section, std::string_view ident) const {
    return FindEntry(section, ident) != nullptr;
}

void MemIniFile::EraseSection(std::string_view section) {
    std::erase_if(FSections, [&](const IniSection& s) { return SameIniName(s.Name, section); });
}

void MemIniFile::DeleteKey(std::string_view section, std::string_view ident) {
    IniSection* s = MutableSection(section);
    if (!s) return;
    auto e = std::find_if(s->Entries.begin(), s->Entries.end(), [&](const IniEntry& entry) {
        return !entry.Raw && SameIniName(entry.Name, ident);
    });
    if (e != s->Entries.end()) s->Entries.erase(e);
}

void MemIniFile::UpdateFile() const {
    WriteSettingsFile(FFileName, Text());
}

}  // namespace corvane
